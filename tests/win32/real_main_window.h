#pragma once

// The main window on the real desktop in this process, driven through its own
// messages, for the tests against the real system.

#include <windows.h>

#include <string>

#include "about/about_window.h"
#include "files_test_support.h"
#include "main_window/main_window.h"
#include "main_window/main_window_layout.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_window.h"
#include "remote_main_window.h"
#include "win32_test_support.h"

namespace morvane::testing {

// MainWindow as the program's entry builds it. Clicks and ticks arrive as the
// window's own messages; error boxes are answered and what they showed kept.
struct RealMainWindow {
    platform::win32::Win32Platform desktop{GetModuleHandleW(nullptr)};
    about::AboutWindow about{desktop.platform};
    MainWindow form{desktop.platform, about};
    BoxAnswerer errors{L"Error"};

    RealMainWindow() {
        pumpPending();
        form.show();
    }
    ~RealMainWindow() { pumpPending(); }
    RealMainWindow(const RealMainWindow&) = delete;
    RealMainWindow& operator=(const RealMainWindow&) = delete;

    platform::Control& control(platform::ControlId id) { return form.window().control(id); }
    std::string text(platform::ControlId id) { return control(id).text(); }
    HWND main() { return dynamic_cast<platform::win32::Win32Window&>(form.window()).hwnd(); }
    HWND hwnd(platform::ControlId id) {
        return dynamic_cast<platform::win32::Win32Window&>(form.window()).controlHwnd(id);
    }

    void click(platform::ControlId id) {
        SendMessageW(main(), WM_COMMAND, MAKEWPARAM(id.value, BN_CLICKED), reinterpret_cast<LPARAM>(hwnd(id)));
    }
    void menu(platform::ControlId id) { SendMessageW(main(), WM_COMMAND, MAKEWPARAM(id.value, 0), 0); }
    void tick() {
        if (form.isOpen()) SendMessageW(main(), WM_TIMER, kTickTimerId, 0);
    }
    void close() {
        if (form.isOpen()) SendMessageW(main(), WM_CLOSE, 0, 0);
    }
};

}  // namespace morvane::testing
