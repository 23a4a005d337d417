#pragma once

#include <cstdint>
#include <string_view>

#include "platform/registry.h"

namespace morvane::settings {

inline constexpr std::string_view kSettingsPath = "SOFTWARE\\Kestrine\\Morvane";

// One place the options may live: a key below a root, in one view of the registry.
struct SettingsKey {
    platform::RegistryKey root;
    std::string_view path;
    std::uint32_t view = 0;  // 0: the program's own, 64-bit view
};

// The per-user key: where a user without the rights to write machine-wide
// keeps the options.
inline constexpr SettingsKey kPerUserKey{platform::kHkeyCurrentUser, kSettingsPath};
// Where Windows kept the earlier 32-bit program's machine-wide writes for
// such a user, and where that program then read them. Never written.
inline constexpr SettingsKey kVirtualisedKey{
    platform::kHkeyCurrentUser, "Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\WOW6432Node\\Kestrine\\Morvane"};
// The machine-wide key, in the view the earlier 32-bit program used, so that
// both share it.
inline constexpr SettingsKey kMachineKey{platform::kHkeyLocalMachine, kSettingsPath, platform::kView32};
// Where version 1.0.1 kept the machine-wide options. Never written.
inline constexpr SettingsKey kMachineKey101{platform::kHkeyLocalMachine, kSettingsPath};

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
