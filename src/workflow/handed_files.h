#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/file_system.h"

// Files handed to the program, dropped on its window or named on its command
// line, and the command line itself: `morvane.exe [/wait] [FILE]...`.
namespace morvane::workflow {

// The boxes the handed files fill.
struct HandedFiles {
    std::optional<std::string> pulldownPath;  // a file whose name ends in ".exe", in any case
    std::optional<std::string> outputPath;    // any other; a VAF or ECL file stands for the stream beside it
};

struct StartRequest {
    bool wait = false;  // arm the wait as Start Waiting would
    std::vector<std::string> files;
};

// Why nothing handed over is taken.
struct Refusal {
    std::string message;
};

// Sorts the files into their boxes. A folder, or more than one file of a kind,
// is refused. A file that does not exist yet is taken: the encoder may not
// have made its output yet.
[[nodiscard]] std::variant<HandedFiles, Refusal> sortHandedFiles(platform::FileSystem& files,
                                                                 const std::vector<std::string>& paths);

// The arguments after the program's name. A switch is "/" or "-" followed by
// letters alone, or "/?"; "/wait" and "-wait", in any case, are the only one
// known, any other is refused. Everything else is a file, made whole against
// `currentFolder` when it is relative.
[[nodiscard]] std::variant<StartRequest, Refusal> parseArguments(const std::vector<std::string>& arguments,
                                                                 std::string_view currentFolder);

}  // namespace morvane::workflow
