#include <string>

#include "main_window/main_window.h"
#include "workflow/file_probes.h"
#include "workflow/pulldown_command.h"
#include "workflow/pulldown_refusals.h"
#include "workflow/workflow_constants.h"

namespace morvane::main_window {

using platform::CheckState;
using workflow::PulldownRun;

// A greyed box counts as chosen here, though it starts no run.
bool MainWindow::noRunChosen() {
    return control(dropFrameCheck).checkState() == CheckState::Clear &&
           control(noOptionsCheck).checkState() == CheckState::Clear;
}

std::vector<PulldownRun> MainWindow::tickedRuns() {
    std::vector<PulldownRun> runs;
    if (control(dropFrameCheck).checkState() == CheckState::Ticked) runs.push_back(PulldownRun::DropFrame);
    if (control(noOptionsCheck).checkState() == CheckState::Ticked) runs.push_back(PulldownRun::NoOptions);
    return runs;
}

std::optional<std::string> MainWindow::inputRefusal() {
    return workflow::inputRefusal(outFileName_, control(outputPathBox).text());
}

std::optional<std::string> MainWindow::overwriteRefusal(PulldownRun run) {
    const platform::ControlId box = run == PulldownRun::DropFrame ? dropFrameCheck : noOptionsCheck;
    return workflow::overwriteRefusal(outFolder_, outFileName_, run, control(box).text());
}

std::optional<std::string> MainWindow::firstRefusal() {
    const std::vector<PulldownRun> runs = tickedRuns();
    if (runs.empty()) return std::nullopt;
    if (std::optional<std::string> refusal = inputRefusal()) return refusal;
    for (const PulldownRun run : runs)
        if (std::optional<std::string> refusal = overwriteRefusal(run)) return refusal;
    return std::nullopt;
}

void MainWindow::startPulldownRuns() {
    const std::vector<PulldownRun> runs = tickedRuns();
    if (runs.empty()) return;
    if (const std::optional<std::string> refusal = inputRefusal()) {
        showError(*refusal);
        return;
    }
    const std::string program = control(pulldownPathBox).text();
    // A run that cannot go ahead is told at once; the other run is still tried.
    for (const PulldownRun run : runs) {
        if (const std::optional<std::string> refusal = overwriteRefusal(run)) {
            showError(*refusal);
        } else if (!platform_.processes.start(program, workflow::pulldownArguments(outFolder_, outFileName_, run),
                                              platform::ShowStyle::MinimizedFocus)) {
            showError(workflow::startFailure(program));
        }
    }
}

void MainWindow::pulldownNow() {
    if (noRunChosen()) {
        showError(workflow::kNoOptionChosen);
        return;
    }
    if (!workflow::exists(platform_.files, control(outputPathBox).text())) {
        showError(workflow::kFileDoesNotExist);
        return;
    }
    startPulldownRuns();
}

}  // namespace morvane::main_window
