#include "workflow/pulldown_command.h"

#include "workflow/workflow_constants.h"

namespace morvane::workflow {

std::string quoteArgument(std::string_view argument) {
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string_view::npos) return std::string(argument);
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (const char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        // Backslashes count as escapes only in front of a quote.
        quoted.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        quoted.push_back(c);
        backslashes = 0;
    }
    quoted.append(2 * backslashes, '\\');
    quoted.push_back('"');
    return quoted;
}

std::string pulldownCommandLine(std::string_view programPath, std::string_view outFolder, std::string_view outFileName,
                                PulldownRun run) {
    const bool dropFrame = run == PulldownRun::DropFrame;
    const std::string_view outputName = dropFrame ? kDropFrameOutputName : kNoOptionsOutputName;
    const std::string_view options = dropFrame ? kDropFrameOptions : kNoOptionsOptions;

    // The program path is always quoted and taken as it stands: the system
    // reads it up to the next quote, without escapes.
    std::string line = "\"";
    line.append(programPath).append("\" ");
    line.append(quoteArgument(std::string(outFolder).append(outFileName))).push_back(' ');
    line.append(quoteArgument(std::string(outFolder).append(outputName))).push_back(' ');
    line.append(options);
    return line;
}

}  // namespace morvane::workflow
