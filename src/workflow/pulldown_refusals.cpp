#include "workflow/pulldown_refusals.h"

#include "platform/text.h"
#include "workflow/path_derivation.h"
#include "workflow/workflow_constants.h"

namespace morvane::workflow {

using platform::quoted;

std::optional<std::string> inputRefusal(std::string_view outFileName, std::string_view outputPath) {
    if (outFileName.empty()) return std::string(kOutputFilePrefix) + quoted(outputPath) + std::string(kNeedsExtension);
    if (namesVafOrEcl(outFileName))
        return std::string(kOutputFilePrefix) + quoted(outputPath) + std::string(kIsNotTheVideo) +
               quoted(outputPathForPick(outputPath)) + ".";
    return std::nullopt;
}

std::optional<std::string> overwriteRefusal(std::string_view outFolder, std::string_view outFileName, PulldownRun run,
                                            std::string_view runCaption) {
    if (!sameFileName(outFileName, outputName(run))) return std::nullopt;
    return std::string(kOutputFilePrefix) + quoted(std::string(outFolder).append(outFileName)) +
           std::string(kIsTheRunsOutput) + quoted(runCaption) + ".";
}

std::string startFailure(std::string_view program) { return std::string(kCouldNotStartPrefix) + quoted(program); }

}  // namespace morvane::workflow
