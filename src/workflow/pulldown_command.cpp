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

std::string pulldownArguments(std::string_view outFolder, std::string_view outFileName, PulldownRun run) {
    const bool dropFrame = run == PulldownRun::DropFrame;
    std::string arguments = quoteArgument(std::string(outFolder).append(outFileName));
    arguments.append(" ").append(quoteArgument(std::string(outFolder).append(outputName(run))));
    arguments.append(" ").append(dropFrame ? kDropFrameOptions : kNoOptionsOptions);
    return arguments;
}

std::string_view outputName(PulldownRun run) {
    return run == PulldownRun::DropFrame ? kDropFrameOutputName : kNoOptionsOutputName;
}

}  // namespace morvane::workflow
