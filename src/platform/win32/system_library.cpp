#include "platform/win32/system_library.h"

#include <string>

namespace morvane::platform::win32 {

HMODULE systemLibrary(const wchar_t* library) {
    const HMODULE module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (module || GetLastError() != ERROR_INVALID_PARAMETER) return module;
    // Windows 7 without update KB2533623 does not know the flag: name the
    // system folder instead.
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    return LoadLibraryExW((std::wstring(folder, length) + L"\\" + library).c_str(), nullptr, 0);
}

}  // namespace morvane::platform::win32
