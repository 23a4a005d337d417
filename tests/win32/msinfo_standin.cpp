// Stands in for the system information viewer in the tests: records how it
// was started in "<its own path>.started" (UTF-16: the command line, a line
// break, the show command or -1) and ends.
#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int /*show*/) {
    std::wstring self(32768, L'\0');
    self.resize(GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    GetStartupInfoW(&startup);
    const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;
    const std::wstring record = std::wstring(GetCommandLineW()) + L"\n" + std::to_wstring(show);

    // Written aside and renamed, so the test never reads half a record.
    const std::wstring partial = self + L".partial";
    const HANDLE file = CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    WriteFile(file, record.data(), static_cast<DWORD>(record.size() * sizeof(wchar_t)), &written, nullptr);
    CloseHandle(file);
    return MoveFileExW(partial.c_str(), (self + L".started").c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
