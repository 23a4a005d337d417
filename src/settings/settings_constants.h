#pragma once

#include <cstdint>
#include <string_view>

#include "platform/registry.h"

namespace morvane::settings {

// Where the options live. The machine-wide key is the historical home; the
// per-user key, same path, takes over where the machine-wide one is not writable.
inline constexpr platform::RegistryKey kMachineRoot = platform::kHkeyLocalMachine;
inline constexpr platform::RegistryKey kPerUserRoot = platform::kHkeyCurrentUser;
inline constexpr std::string_view kSettingsPath = "SOFTWARE\\Kestrine\\Morvane";

// Value names, as every version of the program has stored them.
inline constexpr std::string_view kPulldownPathValue = "txtPullPath";
inline constexpr std::string_view kOutputPathValue = "txtMPath";
inline constexpr std::string_view kVafPathValue = "txtMvaf";
inline constexpr std::string_view kDropFrameValue = "chkDrop";
inline constexpr std::string_view kNoOptionsValue = "chkNoDrop";
// Written by no version of this program; read only when neither check state
// is stored: true asks for both runs, anything else for the drop-frame run alone.
inline constexpr std::string_view kBothRunsValue = "optDrop";

// QUERY_VALUE | SET_VALUE | CREATE_SUB_KEY | ENUMERATE_SUB_KEYS | NOTIFY |
// CREATE_LINK: what the keys have always been opened and created with to write.
inline constexpr std::uint32_t kWriteAccessMask = 0x3F;
// KEY_READ: a read must not ask for rights a standard user lacks below HKLM.
inline constexpr std::uint32_t kReadAccessMask = 0x20019;

// The Boolean true of the language the stored values come from.
inline constexpr std::int32_t kStoredTrue = -1;

}  // namespace morvane::settings
