#pragma once

#include "memory_system.h"
#include "memory_ui.h"
#include "platform/platform.h"

namespace morvane::testing {

// One in-memory desktop, ready to hand to the forms.
struct MemoryPlatform {
    MemoryUi ui;
    MemoryFileSystem files;
    MemoryProcesses processes;
    MemoryRegistry registry;
    platform::Platform platform{ui, files, processes, registry, {"Morvane", 1, 0, 1}};
};

}  // namespace morvane::testing
