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
};

// Everything the program reaches outside itself, in one bundle that forms get
// by reference: the Win32 desktop in the product, memory in the unit tests.
struct Platform {
    Ui& ui;
    FileSystem& files;
    Processes& processes;
    Registry& registry;
    ProgramIdentity identity;
};

}  // namespace morvane::platform
