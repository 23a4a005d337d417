// morvane-pulldown.exe: a console program with Unicode arguments.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/wide.h"
#include "platform/win32/win32_stream_files.h"
#include "pulldown/command_line.h"

namespace {

using morvane::platform::win32::widen;

// UTF-16 to a console, UTF-8 bytes to a file or a pipe.
void writeText(HANDLE to, const std::string& text) {
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(to, &mode)) {
        std::wstring wide = widen(text);
        WriteConsoleW(to, wide.c_str(), static_cast<DWORD>(wide.size()), &written, nullptr);
    } else {
        WriteFile(to, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    }
}

class StandardError : public morvane::pulldown::Console {
public:
    StandardError() : error_(GetStdHandle(STD_ERROR_HANDLE)) {
        DWORD mode = 0;
        console_ = GetConsoleMode(error_, &mode) != 0;
    }

    void line(const std::string& text) override {
        // Older consoles know no escape sequences: blank the percentage.
        if (progressShown_) writeText(error_, "\r     \r");
        progressShown_ = false;
        writeText(error_, text + "\r\n");
    }

    void progress(int percent) override {
        std::string shown = std::to_string(percent) + "%";
        writeText(error_, "\r" + std::string(4 - std::min<std::size_t>(4, shown.size()), ' ') + shown);
        progressShown_ = true;
    }

    [[nodiscard]] bool interactive() const override { return console_; }

private:
    HANDLE error_;
    bool console_ = false;
    bool progressShown_ = false;
};

void printLine(const std::string& text) { writeText(GetStdHandle(STD_OUTPUT_HANDLE), text + "\r\n"); }

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) arguments.push_back(morvane::platform::win32::narrow(argv[i]));
    auto files = morvane::platform::win32::win32StreamFiles();
    StandardError console;
    return morvane::pulldown::pulldownProgram(arguments, *files, console, printLine);
}
