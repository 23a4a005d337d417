#pragma once

#include "platform/platform.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/win32_ui.h"

namespace morvane::platform::win32 {

ProgramIdentity programIdentity();

// The real desktop, bundled for the windows.
struct Win32Platform {
    explicit Win32Platform(HINSTANCE instance) : ui(instance) {}

    Win32Ui ui;
    Win32FileSystem files;
    Win32Processes processes;
    Win32Registry registry;
    Platform platform{ui, files, processes, registry, programIdentity()};
};

}  // namespace morvane::platform::win32
