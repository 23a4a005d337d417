#include "platform/win32/system_path.h"

#include <windows.h>

#include "platform/win32/wide.h"

namespace morvane::platform::win32 {

// Paths too long for the classic limit are handed over in the extended-length
// form, which takes no relative parts or forward slashes: so they are made
// full first. Shorter paths go through exactly as given.
std::wstring systemPath(std::string_view path) {
    std::wstring wide = widen(path);
    if (wide.size() < MAX_PATH || wide.starts_with(kExtendedPrefix)) return wide;
    const DWORD needed = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return wide;
    std::wstring full(needed, L'\0');
    const DWORD written = GetFullPathNameW(wide.c_str(), needed, full.data(), nullptr);
    if (written == 0 || written >= needed) return wide;
    full.resize(written);
    if (full.starts_with(kDevicePrefix)) return full;
    if (full.starts_with(kUncPrefix)) return std::wstring(kExtendedUncPrefix) + full.substr(kUncPrefix.size());
    return std::wstring(kExtendedPrefix) + full;
}

}  // namespace morvane::platform::win32
