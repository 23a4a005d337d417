#pragma once

#include <string>
#include <string_view>

namespace morvane::workflow {

enum class PulldownRun {
    DropFrame,  // writes pulled_drop.m2v
    NoOptions,  // writes pulled_nodrop.m2v
};

// One argument as the standard Windows command-line parsers (the C runtime's
// and CommandLineToArgvW) will hand it back: unchanged unless it is empty or
// holds a blank, a tab or a double quote; otherwise in double quotes, with the
// backslashes before a quote, and before the closing one, doubled.
[[nodiscard]] std::string quoteArgument(std::string_view argument);

// The arguments of one run: the input (outFolder + outFileName), the output
// in the same folder, and the options, each separated by one blank.
[[nodiscard]] std::string pulldownArguments(std::string_view outFolder, std::string_view outFileName, PulldownRun run);

// The file name the run writes, beside its input.
[[nodiscard]] std::string_view outputName(PulldownRun run);

}  // namespace morvane::workflow
