#include <windows.h>

#include <string>

#include "platform/win32/owned_handles.h"
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

// The program file the path names, as the system finds programs: ".exe" is
// added to a name without an extension, and a bare name is looked for in the
// program's folder, the current one, the system's and the PATH. Never a folder.
std::wstring programFile(const std::wstring& program) {
    const DWORD needed = SearchPathW(nullptr, program.c_str(), L".exe", 0, nullptr, nullptr);
    if (needed == 0) return {};
    std::wstring found(needed, L'\0');
    const DWORD written = SearchPathW(nullptr, program.c_str(), L".exe", needed, found.data(), nullptr);
    if (written == 0 || written >= needed) return {};
    found.resize(written);
    const DWORD attributes = GetFileAttributesW(found.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return {};
    return found;
}

// The system hands a batch file to the command interpreter, which would read
// "&", "|" or "%" in the paths after it as commands: only programs are started.
bool isProgram(const std::wstring& file) {
    DWORD kind = 0;
    return GetBinaryTypeW(file.c_str(), &kind) && (kind == SCS_32BIT_BINARY || kind == SCS_64BIT_BINARY);
}

}  // namespace

bool Win32Processes::start(std::string_view program, std::string_view arguments, ShowStyle style) {
    // A quote would end the quoted program path early and hand the rest of
    // the text to the program as its arguments; no file name holds one.
    if (program.empty() || program.find('"') != std::string_view::npos) return false;
    // Started by the file found here, so that the program checked is the one run.
    const std::wstring file = programFile(widen(program));
    if (file.empty() || !isProgram(file)) return false;
    // CreateProcessW may write into the command line it is given.
    std::wstring line = widen(commandLineOf(program, arguments));
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = showCommand(style);
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(file.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
        return false;
    const UniqueKernelHandle thread(started.hThread);
    const UniqueKernelHandle process(started.hProcess);
    return true;
}

}  // namespace morvane::platform::win32
