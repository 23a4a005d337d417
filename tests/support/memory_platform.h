#pragma once

#include "memory_system.h"
#include "memory_ui.h"
#include "platform/platform.h"
#include "version.h"

namespace morvane::testing {

// The program as its version header names it.
inline const platform::ProgramIdentity kIdentity{MORVANE_TITLE, MORVANE_VERSION_MAJOR, MORVANE_VERSION_MINOR,
                                                 MORVANE_VERSION_REVISION};

// One in-memory desktop, ready to hand to the forms.
struct MemoryPlatform {
    MemoryUi ui;
    MemoryFileSystem files;
    MemoryProcesses processes;
    MemoryRegistry registry;
    platform::Platform platform{ui, files, processes, registry, kIdentity};
};

}  // namespace morvane::testing
