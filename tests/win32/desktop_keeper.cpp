// Keeps the test prefix's desktop up for a whole test run (see cmake/wine-prefix).
// Creates the file named on its command line once it holds the desktop, then
// waits until the Wine server ends it.
#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR commandLine, int /*show*/) {
    // Answered once the desktop's own process runs.
    SendMessageW(GetDesktopWindow(), WM_NULL, 0, 0);
    std::wstring ready(commandLine);
    std::erase(ready, L'"');
    const HANDLE file = CreateFileW(ready.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    CloseHandle(file);
    Sleep(INFINITE);
    return 0;
}
