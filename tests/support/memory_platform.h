#pragma once

#include <string>
#include "memory_system.h"
#include "memory_ui.h"

#include "platform/platform.h"
#include "settings/settings_constants.h"
#include "version.h"

namespace morvane::testing {

// The program as its version header names it.
inline const platform::ProgramIdentity kIdentity{MORVANE_TITLE, MORVANE_VERSION_MAJOR, MORVANE_VERSION_MINOR,
                                                 MORVANE_VERSION_REVISION};

// The options' key below a root as the program opens it: below HKLM, the
// 32-bit view's.
inline std::string settingsKeyUnder(platform::RegistryKey root) {
    return root == platform::kHkeyLocalMachine ? "SOFTWARE\\WOW6432Node\\Kestrine\\Morvane"
                                               : std::string(settings::kSettingsPath);
}

// One in-memory desktop, ready to hand to the windows.
struct MemoryPlatform {
    MemoryUi ui;
    MemoryFileSystem files;
    MemoryProcesses processes{files};
    MemoryRegistry registry;
    platform::Platform platform{ui, files, processes, registry, kIdentity};
};

}  // namespace morvane::testing
