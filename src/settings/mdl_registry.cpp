#include "settings/mdl_registry.h"

#include <algorithm>
#include <array>
#include <span>
#include <vector>

#include "platform/registry_data.h"
#include "settings/settings_constants.h"

namespace morvane::mdlRegistry {

using namespace platform;

RegistryStatus WriteValue(Registry& registry, RegistryKey KeyHandle, std::string_view ValueName, RegValueType ValueType,
                          const SettingsValue& Value) {
    switch (ValueType) {
        case RegValueType::RegSz: {
            const std::vector<std::byte> data = registryText(Value.textForm());
            return registry.setValue(KeyHandle, ValueName, kRegSz, data);
        }
        case RegValueType::RegDword: {
            const std::optional<std::int32_t> number = Value.toNumber();
            if (!number) return kNoNumberForm;
            const std::array<std::byte, 4> data = registryNumber(static_cast<std::uint32_t>(*number));
            return registry.setValue(KeyHandle, ValueName, kRegDword, data);
        }
    }
    return kErrorSuccess;
}

RegistryStatus ReadValue(Registry& registry, RegistryKey KeyHandle, std::string_view ValueName, SettingsValue& Value) {
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    const RegistryStatus probe = registry.queryValue(KeyHandle, ValueName, type, {}, size);
    if (probe != kErrorSuccess) return probe;

    std::uint32_t filledType = 0;
    std::uint32_t filled = size;
    if (type == kRegSz) {
        std::vector<std::byte> buffer(size);
        const RegistryStatus status = registry.queryValue(KeyHandle, ValueName, filledType, buffer, filled);
        Value = status == kErrorSuccess
                    ? SettingsValue(textFromRegistry(std::span(buffer).first(std::min(filled, size))))
                    : SettingsValue();
        return status;
    }
    if (type == kRegDword) {
        std::array<std::byte, 4> buffer{};
        const RegistryStatus status = registry.queryValue(KeyHandle, ValueName, filledType, buffer, filled);
        if (status == kErrorSuccess) Value = static_cast<std::int32_t>(numberFromRegistry(buffer));
        return status;
    }
    return kUndecodedType;
}

RegistryStatus CreateKey(Registry& registry, RegistryKey RootKey, std::string_view KeyPath) {
    return OpenKey(registry, RootKey, KeyPath, settings::kWriteAccessMask, OpenKey::Mode::Create).status();
}

RegistryStatus SaveKeyValue(Registry& registry, RegistryKey RootKey, std::string_view KeyPath,
                            std::string_view ValueName, const SettingsValue& Value, RegValueType ValueType) {
    const OpenKey key(registry, RootKey, KeyPath, settings::kWriteAccessMask);
    if (!key.isOpen()) return key.status() != kErrorSuccess ? key.status() : kErrorInvalidHandle;
    return WriteValue(registry, key.get(), ValueName, ValueType, Value);
}

SettingsValue LoadKeyValue(Registry& registry, RegistryKey RootKey, std::string_view KeyPath,
                           std::string_view ValueName) {
    SettingsValue value;
    const OpenKey key(registry, RootKey, KeyPath, settings::kReadAccessMask);
    if (key.isOpen()) ReadValue(registry, key.get(), ValueName, value);
    return value;
}

}  // namespace morvane::mdlRegistry
