#include <windows.h>

#include <cstdlib>
#include <exception>

#include "about/about_window.h"
#include "main_window/main_window.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_handover.h"
#include "platform/win32/win32_platform.h"

#if defined(__GLIBCXX__)
// The GNU library's own handler for an uncaught exception writes its type,
// demangled, to a console this program does not have; its demangler alone is
// an eighth of the program. Nothing is left uncaught (the window procedure
// and the entry catch everything), so the plain end is all that is needed.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
#endif

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int /*show*/) {
    using namespace morvane;
    try {
        platform::win32::Win32Platform desktop(instance);
        about::AboutWindow about(desktop.platform);
        main_window::MainWindow mainWindow(desktop.platform, about, platform::win32::commandLineArguments());
        mainWindow.show();
        return desktop.ui.run();
    } catch (const std::exception& e) {
        MessageBoxW(nullptr, platform::win32::widen(e.what()).c_str(), L"Morvane", MB_OK | MB_ICONERROR);
        return 1;
    }
}
