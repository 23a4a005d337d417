#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/win32/wide.h"
#include "platform/win32/win32_system.h"

namespace morvane::platform::win32 {

namespace {

// The predefined roots are 32-bit codes that the system sign-extends in a
// 64-bit handle (HKEY_LOCAL_MACHINE is 0xFFFFFFFF80000002 there).
HKEY toHkey(RegistryKey key) {
    constexpr RegistryKey kPredefinedBits = 0xF0000000;
    if (key <= 0xFFFFFFFFu && (key & kPredefinedBits) == 0x80000000u)
        return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(static_cast<std::uint32_t>(key))));
    return reinterpret_cast<HKEY>(key);
}

bool isStringType(std::uint32_t type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

}  // namespace

RegistryStatus Win32Registry::openKey(RegistryKey root, std::string_view path, std::uint32_t access, RegistryKey& key) {
    HKEY opened = nullptr;
    const LSTATUS status = RegOpenKeyExW(toHkey(root), widen(path).c_str(), 0, access, &opened);
    key = status == ERROR_SUCCESS ? reinterpret_cast<RegistryKey>(opened) : kNullKey;
    return status;
}

RegistryStatus Win32Registry::createKey(RegistryKey root, std::string_view path, std::uint32_t access,
                                        RegistryKey& key) {
    HKEY created = nullptr;
    DWORD disposition = 0;
    const LSTATUS status = RegCreateKeyExW(toHkey(root), widen(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                           access, nullptr, &created, &disposition);
    key = status == ERROR_SUCCESS ? reinterpret_cast<RegistryKey>(created) : kNullKey;
    return status;
}

RegistryStatus Win32Registry::queryValue(RegistryKey key, std::string_view name, std::uint32_t& type,
                                         std::span<std::byte> data, std::uint32_t& size) {
    if (key == kNullKey) return ERROR_INVALID_HANDLE;
    DWORD t = 0;
    DWORD s = data.empty() ? 0 : static_cast<DWORD>(std::min<std::size_t>(size, data.size()));
    const LSTATUS status = RegQueryValueExW(toHkey(key), widen(name).c_str(), nullptr, &t,
                                            data.empty() ? nullptr : reinterpret_cast<BYTE*>(data.data()), &s);
    type = t;
    size = s;
    return status;
}

RegistryStatus Win32Registry::setValue(RegistryKey key, std::string_view name, std::uint32_t type,
                                       std::span<const std::byte> data) {
    if (key == kNullKey) return ERROR_INVALID_HANDLE;
    // For a string type the system looks one character past the data and, when
    // it finds a NUL there, stores it too. A non-NUL guard after a copy of the
    // data keeps the stored size exactly the one given.
    std::vector<BYTE> guarded;
    const BYTE* bytes = reinterpret_cast<const BYTE*>(data.data());
    if (isStringType(type) && !data.empty()) {
        guarded.assign(bytes, bytes + data.size());
        guarded.insert(guarded.end(), {0xFF, 0xFF});
        bytes = guarded.data();
    }
    return RegSetValueExW(toHkey(key), widen(name).c_str(), 0, type, bytes, static_cast<DWORD>(data.size()));
}

RegistryStatus Win32Registry::closeKey(RegistryKey key) {
    if (key == kNullKey) return ERROR_INVALID_HANDLE;
    return RegCloseKey(toHkey(key));
}

}  // namespace morvane::platform::win32
