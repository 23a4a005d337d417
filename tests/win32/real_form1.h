#pragma once

// The main window on the real desktop in this process, driven through its own
// messages, for the tests against the real system.

#include <windows.h>

#include <string>

#include "about/frm_about.h"
#include "files_test_support.h"
#include "main_window/form1.h"
#include "main_window/form1_layout.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_window.h"
#include "remote_main_window.h"
#include "win32_test_support.h"

namespace morvane::testing {

// Form1 as the program's entry builds it. Clicks and ticks arrive as the
// window's own messages; error boxes are answered and what they showed kept.
struct RealForm1 {
    platform::win32::Win32Platform desktop{GetModuleHandleW(nullptr)};
    about::FrmAbout about{desktop.platform};
    Form1 form{desktop.platform, about};
    BoxAnswerer errors{L"Error"};

    RealForm1() {
        pumpPending();
        form.show();
    }
    ~RealForm1() { pumpPending(); }
    RealForm1(const RealForm1&) = delete;
    RealForm1& operator=(const RealForm1&) = delete;

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
        if (form.isOpen()) SendMessageW(main(), WM_TIMER, kTimer1Id, 0);
    }
    void close() {
        if (form.isOpen()) SendMessageW(main(), WM_CLOSE, 0, 0);
    }
};

}  // namespace morvane::testing
