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

// A file that the search found, when it is a file and not a folder.
std::wstring searchFile(const std::wstring& name) {
    if (name.empty()) return {};
    const DWORD needed = SearchPathW(nullptr, name.c_str(), L".exe", 0, nullptr, nullptr);
    if (needed == 0) return {};
    std::wstring found(needed, L'\0');
    const DWORD written = SearchPathW(nullptr, name.c_str(), L".exe", needed, found.data(), nullptr);
    if (written == 0 || written >= needed) return {};
    found.resize(written);
    const DWORD attributes = GetFileAttributesW(found.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return {};
    return found;
}

// The file that CreateProcessW would run for this command line: the quoted
// first word, or else the shortest run of words that names a file, with
// ".exe" tried for a name without an extension.
std::wstring programFile(std::wstring_view line) {
    if (line.starts_with(L'"')) {
        const std::size_t close = line.find(L'"', 1);
        return searchFile(std::wstring(line.substr(1, close == std::wstring_view::npos ? close : close - 1)));
    }
    for (std::size_t end = line.find_first_of(L" \t");; end = line.find_first_of(L" \t", end + 1)) {
        std::wstring found = searchFile(std::wstring(line.substr(0, end)));
        if (!found.empty() || end == std::wstring_view::npos) return found;
    }
}

// The system hands a batch file to the command interpreter, which would read
// "&", "|" or "%" in the paths after it as commands: only programs are started.
bool isProgram(const std::wstring& file) {
    DWORD kind = 0;
    return GetBinaryTypeW(file.c_str(), &kind) && (kind == SCS_32BIT_BINARY || kind == SCS_64BIT_BINARY);
}

}  // namespace

bool Win32Processes::start(std::string_view commandLine, ShowStyle style) {
    if (commandLine.empty()) return false;
    // CreateProcessW may write into the command line it is given.
    std::wstring line = widen(commandLine);
    // Started by the file found here, so that the program checked is the one run.
    const std::wstring program = programFile(line);
    if (program.empty() || !isProgram(program)) return false;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = showCommand(style);
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
        return false;
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return true;
}

}  // namespace morvane::platform::win32
