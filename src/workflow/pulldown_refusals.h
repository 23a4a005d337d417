#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "workflow/pulldown_command.h"

// Why a pulldown run must not go ahead, or did not. Each message quotes the
// path it names, so that an empty path shows too.
namespace morvane::workflow {

// Without a dot in the output's file name nothing is derived, and the tool
// would get no input at all; a typed VAF or ECL path would give it a file it
// cannot read. `outputPath` is the path as the user gave it.
[[nodiscard]] std::optional<std::string> inputRefusal(std::string_view outFileName, std::string_view outputPath);

// The tool would write over the stream it reads: the night's encode lost.
// `runCaption` names the run's check box, so that the user knows what to untick.
[[nodiscard]] std::optional<std::string> overwriteRefusal(std::string_view outFolder, std::string_view outFileName,
                                                          PulldownRun run, std::string_view runCaption);

// What the user is told when the tool could not be started at all.
[[nodiscard]] std::string startFailure(std::string_view program);

}  // namespace morvane::workflow
