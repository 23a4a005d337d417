#include <string>

#include "main_window/form1.h"
#include "workflow/module1.h"
#include "workflow/path_derivation.h"
#include "workflow/pulldown_command.h"
#include "workflow/workflow_constants.h"

namespace morvane {

using namespace form1;
using platform::CheckState;
using workflow::PulldownRun;

namespace {

std::string quoted(std::string_view text) { return '"' + std::string(text) + '"'; }

}  // namespace

std::vector<PulldownRun> Form1::tickedRuns() {
    std::vector<PulldownRun> runs;
    if (ctl(chkDrop).checkState() == CheckState::Ticked) runs.push_back(PulldownRun::DropFrame);
    if (ctl(chkNoDrop).checkState() == CheckState::Ticked) runs.push_back(PulldownRun::NoOptions);
    return runs;
}

// Without a dot in the output's file name nothing is derived, and the tool
// would get no input at all.
std::optional<std::string> Form1::inputRefusal() {
    if (!outFileName_.empty()) return std::nullopt;
    return std::string(workflow::kOutputFilePrefix) + quoted(ctl(txtMPath).text()) +
           std::string(workflow::kNeedsExtension);
}

// The tool would write over the stream it reads: the night's encode lost.
std::optional<std::string> Form1::overwriteRefusal(PulldownRun run) {
    if (!workflow::sameFileName(outFileName_, workflow::outputName(run))) return std::nullopt;
    const ControlId box = run == PulldownRun::DropFrame ? chkDrop : chkNoDrop;
    return std::string(workflow::kOutputFilePrefix) + quoted(outFolder_ + outFileName_) +
           std::string(workflow::kIsTheRunsOutput) + quoted(ctl(box).text()) + ".";
}

std::optional<std::string> Form1::firstRefusal() {
    const std::vector<PulldownRun> runs = tickedRuns();
    if (runs.empty()) return std::nullopt;
    if (std::optional<std::string> refusal = inputRefusal()) return refusal;
    for (const PulldownRun run : runs)
        if (std::optional<std::string> refusal = overwriteRefusal(run)) return refusal;
    return std::nullopt;
}

void Form1::StartPulldown() {
    const std::vector<PulldownRun> runs = tickedRuns();
    if (runs.empty()) return;
    if (const std::optional<std::string> refusal = inputRefusal()) {
        error(*refusal);
        return;
    }
    const std::string program = ctl(txtPullPath).text();
    // A run that cannot go ahead is told at once; the other run is still tried.
    for (const PulldownRun run : runs) {
        if (const std::optional<std::string> refusal = overwriteRefusal(run)) {
            error(*refusal);
        } else if (!platform_.processes.start(program, workflow::pulldownArguments(outFolder_, outFileName_, run),
                                              platform::ShowStyle::MinimizedFocus)) {
            error(std::string(workflow::kCouldNotStartPrefix) + quoted(program));
        }
    }
}

void Form1::mnuPullNowClick() {
    if (ctl(chkDrop).checkState() == CheckState::Clear && ctl(chkNoDrop).checkState() == CheckState::Clear) {
        error(workflow::kNoOptionChosen);
        return;
    }
    if (!Module1::FileExists(platform_.files, ctl(txtMPath).text())) {
        error(workflow::kFileDoesNotExist);
        return;
    }
    StartPulldown();
}

}  // namespace morvane
