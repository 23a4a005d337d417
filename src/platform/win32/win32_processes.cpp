#include <windows.h>

#include <string>

#include "platform/win32/wide.h"
#include "platform/win32/win32_system.h"

namespace morvane::platform::win32 {

namespace {

WORD showCommand(ShowStyle style) {
    switch (style) {
        case ShowStyle::MinimizedFocus:
            return SW_SHOWMINIMIZED;
        case ShowStyle::NormalFocus:
            break;
    }
    return SW_SHOWNORMAL;
}

}  // namespace

bool Win32Processes::start(std::string_view commandLine, ShowStyle style) {
    if (commandLine.empty()) return false;
    // CreateProcessW may write into the command line it is given.
    std::wstring line = widen(commandLine);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = showCommand(style);
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
        return false;
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return true;
}

}  // namespace morvane::platform::win32
