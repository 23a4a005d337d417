#include <windows.h>

#include <algorithm>

#include "platform/win32/win32_system.h"
#include "platform/win32/wide.h"

namespace morvane::platform::win32 {

namespace {

HKEY toHkey(RegistryKey key) { return reinterpret_cast<HKEY>(key); }

}  // namespace

RegistryStatus Win32Registry::openKey(RegistryKey root, std::string_view path, std::uint32_t access,
                                      RegistryKey& key) {
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
    return RegSetValueExW(toHkey(key), widen(name).c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                          static_cast<DWORD>(data.size()));
}

RegistryStatus Win32Registry::closeKey(RegistryKey key) {
    if (key == kNullKey) return ERROR_INVALID_HANDLE;
    return RegCloseKey(toHkey(key));
}

}  // namespace morvane::platform::win32
