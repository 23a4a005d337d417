#include "platform/win32/wide.h"
#include "platform/win32/win32_platform.h"
#include "version.h"

namespace morvane::platform::win32 {

namespace {

std::string programFolder() {
    std::wstring path(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(length < path.size() ? length : 0);  // a cut path names no folder
    return narrow(path.substr(0, path.find_last_of(L'\\') + 1));
}

}  // namespace

ProgramIdentity programIdentity() {
    return {MORVANE_TITLE, MORVANE_VERSION_MAJOR, MORVANE_VERSION_MINOR, MORVANE_VERSION_REVISION, programFolder()};
}

}  // namespace morvane::platform::win32
