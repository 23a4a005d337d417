#include <windows.h>

#include <string>

#include "platform/win32/owned_handles.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_system.h"

namespace morvane::platform::win32 {

namespace {

constexpr std::wstring_view kExtendedPrefix = L"\\\\?\\";
constexpr std::wstring_view kExtendedUncPrefix = L"\\\\?\\UNC\\";
constexpr std::wstring_view kUncPrefix = L"\\\\";
constexpr std::wstring_view kDevicePrefix = L"\\\\.\\";

// The attributes of the entries a lookup finds only when asked to.
DWORD refusedAttributes(EntryKinds kinds) {
    return (kinds.hidden ? 0 : FILE_ATTRIBUTE_HIDDEN) | (kinds.system ? 0 : FILE_ATTRIBUTE_SYSTEM) |
           (kinds.directories ? 0 : FILE_ATTRIBUTE_DIRECTORY);
}

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

// The paths come from a dialog or from typing, never as patterns.
bool hasWildcard(std::wstring_view path) {
    if (path.starts_with(kExtendedPrefix)) path.remove_prefix(kExtendedPrefix.size());
    return path.find_first_of(L"*?") != std::wstring_view::npos;
}

// The last component of a path: after its last separator, or after a drive.
std::wstring_view entryName(std::wstring_view path) {
    const std::size_t separator = path.find_last_of(L"\\/");
    if (separator != std::wstring_view::npos) return path.substr(separator + 1);
    if (path.size() >= 2 && path[1] == L':') return path.substr(2);
    return path;
}

// A reserved device name (NUL, CON, COM1...), which the system reads as a
// device wherever it stands in a path ("C:\\x\\nul.m2v"), is no directory entry.
bool namesDevice(const std::wstring& path) {
    if (path.starts_with(kDevicePrefix) || path.starts_with(kExtendedPrefix)) return false;
    wchar_t full[MAX_PATH];
    const DWORD length = GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
    return length > 0 && length < MAX_PATH && std::wstring_view(full, length).starts_with(kDevicePrefix);
}

// No "insert a disk" box from the system for a drive that is not ready:
// the probes answer false and say nothing.
class QuietErrors {
public:
    QuietErrors() noexcept { SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previous_); }
    ~QuietErrors() { SetThreadErrorMode(previous_, nullptr); }
    QuietErrors(const QuietErrors&) = delete;
    QuietErrors& operator=(const QuietErrors&) = delete;

private:
    DWORD previous_ = 0;
};

}  // namespace

// The entry's attributes come from GetFileAttributesExW, which reads the
// directory entry without listing the folder: a tenth of what FindFirstFileW
// costs, and every tick asks twice. A path that ends in a separator or names
// a drive alone has no entry name, as with FindFirstFileW.
bool Win32FileSystem::hasEntry(std::string_view path, EntryKinds kinds) {
    if (path.empty()) return false;
    const std::wstring wide = systemPath(path);
    if (hasWildcard(wide) || entryName(wide).empty() || namesDevice(wide)) return false;
    QuietErrors quiet;
    WIN32_FILE_ATTRIBUTE_DATA entry{};
    if (!GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &entry)) return false;
    return (entry.dwFileAttributes & refusedAttributes(kinds)) == 0;
}

std::string Win32FileSystem::currentFolder() {
    const DWORD needed = GetCurrentDirectoryW(0, nullptr);
    if (needed == 0) return {};
    std::wstring folder(needed, L'\0');
    const DWORD written = GetCurrentDirectoryW(needed, folder.data());
    if (written == 0 || written >= needed) return {};
    folder.resize(written);
    return narrow(folder);
}

bool Win32FileSystem::openExclusively(std::string_view path) {
    if (path.empty()) return false;
    QuietErrors quiet;
    // Reading is enough to compete for the file and is allowed on read-only files;
    // OPEN_EXISTING never creates or truncates.
    const UniqueKernelHandle file(
        CreateFileW(systemPath(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(file);
}

}  // namespace morvane::platform::win32
