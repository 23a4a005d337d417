#include "settings/registry_access.h"

#include <algorithm>
#include <array>
#include <span>
#include <vector>

#include "platform/registry_data.h"
#include "settings/settings_constants.h"

namespace morvane::settings {

using namespace platform;

RegistryStatus writeValue(Registry& registry, RegistryKey key, std::string_view name, StoredType storedAs,
                          const SettingsValue& value) {
    switch (storedAs) {
        case StoredType::RegSz: {
            const std::vector<std::byte> data = registryText(value.textForm());
            return registry.setValue(key, name, kRegSz, data);
        }
        case StoredType::RegDword: {
            const std::optional<std::int32_t> number = value.toNumber();
            if (!number) return kNoNumberForm;
            const std::array<std::byte, 4> data = registryNumber(static_cast<std::uint32_t>(*number));
            return registry.setValue(key, name, kRegDword, data);
        }
    }
    return kErrorSuccess;
}

RegistryStatus readValue(Registry& registry, RegistryKey key, std::string_view name, SettingsValue& value) {
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    const RegistryStatus probe = registry.queryValue(key, name, type, {}, size);
    if (probe != kErrorSuccess) return probe;

    std::uint32_t filledType = 0;
    std::uint32_t filled = size;
    if (type == kRegSz) {
        std::vector<std::byte> buffer(size);
        const RegistryStatus status = registry.queryValue(key, name, filledType, buffer, filled);
        value = status == kErrorSuccess
                    ? SettingsValue(textFromRegistry(std::span(buffer).first(std::min(filled, size))))
                    : SettingsValue();
        return status;
    }
    if (type == kRegDword) {
        std::array<std::byte, 4> buffer{};
        const RegistryStatus status = registry.queryValue(key, name, filledType, buffer, filled);
        if (status == kErrorSuccess) value = static_cast<std::int32_t>(numberFromRegistry(buffer));
        return status;
    }
    return kUndecodedType;
}

RegistryStatus createKey(Registry& registry, RegistryKey root, std::string_view path, std::uint32_t view) {
    return OpenKey(registry, root, path, settings::kWriteAccessMask | view, OpenKey::Mode::Create).status();
}

RegistryStatus saveValue(Registry& registry, RegistryKey root, std::string_view path, std::string_view name,
                         const SettingsValue& value, StoredType storedAs, std::uint32_t view) {
    const OpenKey key(registry, root, path, settings::kWriteAccessMask | view);
    if (!key.isOpen()) return key.status() != kErrorSuccess ? key.status() : kErrorInvalidHandle;
    return writeValue(registry, key.get(), name, storedAs, value);
}

SettingsValue loadValue(Registry& registry, RegistryKey root, std::string_view path, std::string_view name,
                        std::uint32_t view) {
    SettingsValue value;
    const OpenKey key(registry, root, path, settings::kReadAccessMask | view);
    if (key.isOpen()) readValue(registry, key.get(), name, value);
    return value;
}

}  // namespace morvane::settings
