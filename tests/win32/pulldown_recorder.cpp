// Stands in for pulldown.exe in the tests: writes down how it was started,
// as UTF-16 lines "key=value", into record-<pid>.txt in the folder named by
// MORVANE_RECORDER_DIR (or beside itself). The file appears whole, by rename.
#include <windows.h>

#include <shellapi.h>

#include <string>

namespace {

std::wstring folderOfThisProgram() {
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path.substr(0, path.find_last_of(L'\\'));
}

std::wstring recordFolder() {
    std::wstring folder(32768, L'\0');
    const DWORD length =
        GetEnvironmentVariableW(L"MORVANE_RECORDER_DIR", folder.data(), static_cast<DWORD>(folder.size()));
    if (length == 0 || length >= folder.size()) return folderOfThisProgram();
    folder.resize(length);
    return folder;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring record = L"commandline=" + std::wstring(GetCommandLineW()) + L"\n";

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    GetStartupInfoW(&startup);
    record += L"flags=" + std::to_wstring(startup.dwFlags) + L"\n";
    record += L"show=" + std::to_wstring(startup.wShowWindow) + L"\n";

    int count = 0;
    if (LPWSTR* split = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int i = 0; i < count; ++i) record += L"arg=" + std::wstring(split[i]) + L"\n";
        LocalFree(split);
    }
    for (int i = 0; i < argc; ++i) record += L"crt=" + std::wstring(argv[i]) + L"\n";

    const std::wstring base = recordFolder() + L"\\record-" + std::to_wstring(GetCurrentProcessId());
    const std::wstring partial = base + L".part";
    const HANDLE file = CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 2;
    DWORD written = 0;
    const auto bytes = static_cast<DWORD>(record.size() * sizeof(wchar_t));
    const bool ok = WriteFile(file, record.data(), bytes, &written, nullptr) && written == bytes;
    CloseHandle(file);
    if (!ok || !MoveFileExW(partial.c_str(), (base + L".txt").c_str(), MOVEFILE_REPLACE_EXISTING)) return 3;
    return 0;
}
