#pragma once

#include <windows.h>

// Functions later than Windows 7, the oldest system the program runs on. The
// program is built for Windows 7, so the headers hide them: each is looked up
// here at run time, and each question below has the Windows 7 answer for when
// it is missing.
namespace morvane::platform::win32 {

// Windows 10 1607 and later give every window a resolution of its own.
struct PerMonitorDpi {
    UINT(WINAPI* dpiForWindow)(HWND) = nullptr;
    UINT(WINAPI* dpiForSystem)() = nullptr;
    BOOL(WINAPI* adjustWindowRectExForDpi)(RECT*, DWORD, BOOL, DWORD, UINT) = nullptr;
};

// Looked up in user32 on first use; a member is null where the system lacks it.
// Tests empty it to take the older road.
[[nodiscard]] PerMonitorDpi& perMonitorDpi();

// The resolution all windows share on older systems.
[[nodiscard]] int systemDpi();

// The window's own resolution where the system keeps one per window.
[[nodiscard]] int windowDpi(HWND hwnd);

// The window rectangle for a client rectangle, with the frame of this resolution.
[[nodiscard]] RECT windowRectForClient(RECT client, DWORD style, bool menu, DWORD exStyle, int dpi);

}  // namespace morvane::platform::win32
