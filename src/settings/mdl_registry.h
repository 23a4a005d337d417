#pragma once

#include <cstdint>
#include <string_view>

#include "platform/registry.h"
#include "settings/settings_value.h"

// The program's one road to the registry. Failures travel as statuses and
// never reach the user; every key opened is closed before a procedure returns.
namespace morvane::mdlRegistry {

using platform::RegistryKey;
using platform::RegistryStatus;
using settings::SettingsValue;

// The value types written and decoded; any other code is passed through
// WriteValue as "write nothing".
enum class RegValueType : std::int32_t { RegSz = 1, RegDword = 4 };

// ReadValue's status for a stored type it does not decode.
inline constexpr RegistryStatus kUndecodedType = -1;
// WriteValue's status for a value with no 32-bit integer form.
inline constexpr RegistryStatus kNoNumberForm = 87;  // ERROR_INVALID_PARAMETER

// Stores `Value` under `ValueName` in the open key: its text form for RegSz
// (UTF-16, no terminating NUL), its 32-bit integer form for RegDword, nothing
// (status 0) for any other type.
RegistryStatus WriteValue(platform::Registry& registry, RegistryKey KeyHandle, std::string_view ValueName,
                          RegValueType ValueType, const SettingsValue& Value);

// Reads `ValueName` from the open key into `Value`: a text (kept whole, a
// stored NUL included) or a number. Leaves `Value` as it was when the value is
// missing or of another type (-1).
RegistryStatus ReadValue(platform::Registry& registry, RegistryKey KeyHandle, std::string_view ValueName,
                         SettingsValue& Value);

// Creates the key and every missing key above it. The status lets the
// settings save turn to the per-user key; nothing else looks at it.
RegistryStatus CreateKey(platform::Registry& registry, RegistryKey RootKey, std::string_view KeyPath);

// Writes one value below an existing key; stores nothing when the key is
// missing. The value comes ahead of its type here, unlike WriteValue. The
// status is the open's when it failed, otherwise the write's.
RegistryStatus SaveKeyValue(platform::Registry& registry, RegistryKey RootKey, std::string_view KeyPath,
                            std::string_view ValueName, const SettingsValue& Value, RegValueType ValueType);

// Reads one value, opening the key for reading only; the empty value when
// anything fails.
[[nodiscard]] SettingsValue LoadKeyValue(platform::Registry& registry, RegistryKey RootKey, std::string_view KeyPath,
                                         std::string_view ValueName);

}  // namespace morvane::mdlRegistry
