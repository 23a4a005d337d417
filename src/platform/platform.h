#pragma once

#include <string>

#include "platform/file_system.h"
#include "platform/processes.h"
#include "platform/registry.h"
#include "platform/ui.h"

namespace morvane::platform {

struct ProgramIdentity {
    std::string title;
    int major = 0;
    int minor = 0;
    int revision = 0;
    std::string folder;  // where the program runs from, with its trailing separator; empty if unknown
};

// "1.0.1": major, minor and revision as both windows show them.
[[nodiscard]] inline std::string versionText(const ProgramIdentity& identity) {
    return std::to_string(identity.major) + "." + std::to_string(identity.minor) + "." +
           std::to_string(identity.revision);
}

// Everything the program reaches outside itself, in one bundle that the
// windows (MainWindow, AboutWindow) get by reference: the Win32 desktop in the
// product, memory in the unit tests.
struct Platform {
    Ui& ui;
    FileSystem& files;
    Processes& processes;
    Registry& registry;
    ProgramIdentity identity;
};

}  // namespace morvane::platform
