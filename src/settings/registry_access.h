#pragma once

#include <cstdint>
#include <string_view>

#include "platform/registry.h"
#include "settings/settings_value.h"

// The program's one road to the registry. Failures travel as statuses and
// never reach the user; every key opened is closed before a procedure returns.
namespace morvane::settings {

using platform::RegistryKey;
using platform::RegistryStatus;

// The value types written and decoded; any other code is passed through
// writeValue as "write nothing".
enum class StoredType : std::int32_t { RegSz = 1, RegDword = 4 };

// readValue's status for a stored type it does not decode.
inline constexpr RegistryStatus kUndecodedType = -1;
// writeValue's status for a value with no 32-bit integer form.
inline constexpr RegistryStatus kNoNumberForm = 87;  // ERROR_INVALID_PARAMETER

// Stores `value` under `name` in the open key: its text form for RegSz
// (UTF-16, no terminating NUL), its 32-bit integer form for RegDword, nothing
// (status 0) for any other type.
RegistryStatus writeValue(platform::Registry& registry, RegistryKey key, std::string_view name, StoredType storedAs,
                          const SettingsValue& value);

// Reads `name` from the open key into `value`: a text (kept whole, a
// stored NUL included) or a number. Leaves `value` as it was when the value is
// missing or of another type (-1).
RegistryStatus readValue(platform::Registry& registry, RegistryKey key, std::string_view name, SettingsValue& value);

// Creates the key and every missing key above it. The status lets the
// settings save turn to the per-user key; nothing else looks at it. `view`
// (0 or platform::kView32) picks the registry view below HKLM, here and below.
RegistryStatus createKey(platform::Registry& registry, RegistryKey root, std::string_view path, std::uint32_t view = 0);

// Writes one value below an existing key; stores nothing when the key is
// missing. The value comes ahead of its type here, unlike writeValue. The
// status is the open's when it failed, otherwise the write's.
RegistryStatus saveValue(platform::Registry& registry, RegistryKey root, std::string_view path, std::string_view name,
                         const SettingsValue& value, StoredType storedAs, std::uint32_t view = 0);

// Reads one value, opening the key for reading only; the empty value when
// anything fails.
[[nodiscard]] SettingsValue loadValue(platform::Registry& registry, RegistryKey root, std::string_view path,
                                      std::string_view name, std::uint32_t view = 0);

}  // namespace morvane::settings
