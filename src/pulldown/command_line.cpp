#include "pulldown/command_line.h"

#include "version.h"

namespace morvane::pulldown {

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        bool hasValue = i + 1 < arguments.size();
        if (a == "-h" || a == "--help") return {Action::help, {}};
        if (a == "--version") return {Action::version, {}};
        if (a == "-prog_frames" && hasValue && arguments[i + 1] == "p") {
            line.request.options.progressiveFrames = ProgressiveFrames::all;
            ++i;
        } else if (a == "-drop_frame" && hasValue && (arguments[i + 1] == "true" || arguments[i + 1] == "false")) {
            line.request.options.dropFrame = arguments[i + 1] == "true" ? DropFrame::yes : DropFrame::no;
            ++i;
        } else if (a.size() > 1 && a[0] == '-') {
            return {Action::usage, {}};
        } else {
            paths.push_back(a);
        }
    }
    if (paths.size() != 2 || paths[0].empty() || paths[1].empty()) return {Action::usage, {}};
    line.action = Action::run;
    line.request.input = paths[0];
    line.request.output = paths[1];
    return line;
}

std::string usageText() {
    return "Usage: morvane-pulldown INPUT OUTPUT [-prog_frames p] [-drop_frame true|false]\n"
           "Turns an MPEG-2 video elementary stream at 23.976 or 24 pictures a second into one at 29.97 or 30\n"
           "with soft 2:3 pulldown: only header flags, the frame rate and the GOP time codes change.\n"
           "  -prog_frames p           mark every picture as a progressive frame\n"
           "  -drop_frame true|false   drop-frame time codes (default false)\n"
           "  -h, --help               this text\n"
           "  --version                the version";
}

std::string versionText() { return std::string("morvane-pulldown ") + MORVANE_VERSION_TEXT; }

int pulldownProgram(const std::vector<std::string>& arguments, StreamFiles& files, Console& console,
                    void (*print)(const std::string&)) {
    CommandLine line = parseCommandLine(arguments);
    switch (line.action) {
    case Action::help: print(usageText()); return 0;
    case Action::version: print(versionText()); return 0;
    case Action::usage:
        console.line(usageText());
        return static_cast<int>(ExitStatus::usage);
    case Action::run: break;
    }
    return static_cast<int>(runPulldown(files, line.request, console));
}

}  // namespace morvane::pulldown
