#include <windows.h>

#include <exception>

#include "about/frm_about.h"
#include "main_window/form1.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_platform.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int /*show*/) {
    using namespace morvane;
    try {
        platform::win32::Win32Platform desktop(instance);
        about::FrmAbout about(desktop.platform);
        Form1 form1(desktop.platform, about);
        form1.show();
        return desktop.ui.run();
    } catch (const std::exception& e) {
        MessageBoxW(nullptr, platform::win32::widen(e.what()).c_str(), L"Morvane", MB_OK | MB_ICONERROR);
        return 1;
    }
}
