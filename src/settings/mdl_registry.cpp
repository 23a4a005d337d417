#include "settings/mdl_registry.h"

#include <algorithm>
#include <array>
#include <span>
#include <vector>

#include "platform/text.h"
#include "settings/settings_constants.h"

namespace morvane::mdlRegistry {

using namespace platform;

namespace {

// Texts cross the boundary as UTF-16, so any path survives, not only those
// of the system code page; nothing read is trimmed.
std::vector<std::byte> encodeText(std::string_view utf8) { return littleEndianBytes(utf8ToUtf16(utf8)); }
std::string decodeText(std::span<const std::byte> bytes) { return utf16ToUtf8(fromLittleEndianBytes(bytes)); }

std::array<std::byte, 4> encodeNumber(std::int32_t number) {
    const auto bits = static_cast<std::uint32_t>(number);
    return {std::byte(bits & 0xFF), std::byte((bits >> 8) & 0xFF), std::byte((bits >> 16) & 0xFF),
            std::byte(bits >> 24)};
}

std::int32_t decodeNumber(const std::array<std::byte, 4>& bytes) {
    std::uint32_t bits = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) bits |= std::to_integer<std::uint32_t>(bytes[i]) << (8 * i);
    return static_cast<std::int32_t>(bits);
}

}  // namespace

RegistryStatus WriteValue(Registry& registry, RegistryKey KeyHandle, std::string_view ValueName, RegValueType ValueType,
                          const SettingsValue& Value) {
    switch (ValueType) {
        case RegValueType::RegSz: {
            const std::vector<std::byte> data = encodeText(Value.textForm());
            return registry.setValue(KeyHandle, ValueName, kRegSz, data);
        }
        case RegValueType::RegDword: {
            const std::optional<std::int32_t> number = Value.toNumber();
            if (!number) return kNoNumberForm;
            const std::array<std::byte, 4> data = encodeNumber(*number);
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
        Value = status == kErrorSuccess ? SettingsValue(decodeText(std::span(buffer).first(std::min(filled, size))))
                                        : SettingsValue();
        return status;
    }
    if (type == kRegDword) {
        std::array<std::byte, 4> buffer{};
        const RegistryStatus status = registry.queryValue(KeyHandle, ValueName, filledType, buffer, filled);
        if (status == kErrorSuccess) Value = decodeNumber(buffer);
        return status;
    }
    return kUndecodedType;
}

RegistryStatus CreateKey(Registry& registry, RegistryKey RootKey, std::string_view KeyPath) {
    RegistryKey key = kNullKey;
    const RegistryStatus status = registry.createKey(RootKey, KeyPath, settings::kWriteAccessMask, key);
    if (key != kNullKey) registry.closeKey(key);
    return status;
}

RegistryStatus SaveKeyValue(Registry& registry, RegistryKey RootKey, std::string_view KeyPath,
                            std::string_view ValueName, const SettingsValue& Value, RegValueType ValueType) {
    RegistryKey key = kNullKey;
    const RegistryStatus opened = registry.openKey(RootKey, KeyPath, settings::kWriteAccessMask, key);
    if (opened != kErrorSuccess || key == kNullKey) return opened != kErrorSuccess ? opened : kErrorInvalidHandle;
    const RegistryStatus written = WriteValue(registry, key, ValueName, ValueType, Value);
    registry.closeKey(key);
    return written;
}

SettingsValue LoadKeyValue(Registry& registry, RegistryKey RootKey, std::string_view KeyPath,
                           std::string_view ValueName) {
    SettingsValue value;
    RegistryKey key = kNullKey;
    if (registry.openKey(RootKey, KeyPath, settings::kReadAccessMask, key) != kErrorSuccess || key == kNullKey)
        return value;
    ReadValue(registry, key, ValueName, value);
    registry.closeKey(key);
    return value;
}

}  // namespace morvane::mdlRegistry
