// morvane-pulldown on Linux and other POSIX systems.
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "pulldown/command_line.h"
#include "pulldown/posix_interrupts.h"
#include "pulldown/stream_files.h"

namespace {

class StandardError : public morvane::pulldown::Console {
public:
    StandardError() : terminal_(::isatty(STDERR_FILENO) != 0) {}

    void line(const std::string& text) override {
        if (progressShown_) std::fputs("\r\033[K", stderr);
        progressShown_ = false;
        std::fprintf(stderr, "%s\n", text.c_str());
    }

    void progress(int percent) override {
        std::fprintf(stderr, "\r%3d%%", percent);
        std::fflush(stderr);
        progressShown_ = true;
    }

    [[nodiscard]] bool interactive() const override { return terminal_; }

private:
    bool terminal_;
    bool progressShown_ = false;
};

void printLine(const std::string& text) { std::printf("%s\n", text.c_str()); }

}  // namespace

int main(int argc, char** argv) {
    morvane::pulldown::installInterruptCleanup();
    std::vector<std::string> arguments(argv + 1, argv + argc);
    auto files = morvane::pulldown::systemStreamFiles();
    StandardError console;
    return morvane::pulldown::pulldownProgram(arguments, *files, console, printLine);
}
