#include "platform/win32/newer_windows.h"

#include "platform/units.h"
#include "platform/win32/owned_handles.h"
#include "platform/win32/system_library.h"

namespace morvane::platform::win32 {

namespace {

template <typename Function>
void lookUp(Function*& into, const char* name) {
    into = systemFunction<Function>(L"user32.dll", name);
}

}  // namespace

PerMonitorDpi& perMonitorDpi() {
    static PerMonitorDpi functions = [] {
        PerMonitorDpi found;
        lookUp(found.dpiForWindow, "GetDpiForWindow");
        lookUp(found.dpiForSystem, "GetDpiForSystem");
        lookUp(found.adjustWindowRectExForDpi, "AdjustWindowRectExForDpi");
        return found;
    }();
    return functions;
}

int systemDpi() {
    UINT dpi = 0;
    if (const auto forSystem = perMonitorDpi().dpiForSystem) {
        dpi = forSystem();
    } else if (const ScreenDc screen; screen.get()) {
        dpi = static_cast<UINT>(GetDeviceCaps(screen.get(), LOGPIXELSY));
    }
    return dpi ? static_cast<int>(dpi) : kDefaultDpi;
}

int windowDpi(HWND hwnd) {
    const auto forWindow = perMonitorDpi().dpiForWindow;
    const UINT dpi = forWindow && hwnd ? forWindow(hwnd) : 0;
    return dpi ? static_cast<int>(dpi) : systemDpi();
}

// Without the per-resolution form the frame has the system's size, which is
// also what the system draws for a window that has no resolution of its own.
RECT windowRectForClient(RECT client, DWORD style, bool menu, DWORD exStyle, int dpi) {
    if (const auto adjust = perMonitorDpi().adjustWindowRectExForDpi) {
        adjust(&client, style, menu, exStyle, static_cast<UINT>(dpi));
    } else {
        AdjustWindowRectEx(&client, style, menu, exStyle);
    }
    return client;
}

}  // namespace morvane::platform::win32
