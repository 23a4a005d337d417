#include <string>

#include "main_window/main_window.h"
#include "workflow/file_probes.h"
#include "workflow/path_derivation.h"
#include "workflow/workflow_constants.h"

namespace morvane::main_window {

void MainWindow::browsePulldown() {
    platform::OpenFileRequest request;
    request.title = workflow::kDialogTitle;
    request.fileName = "";
    request.filter = workflow::kPulldownFilter;
    const std::string current = control(pulldownPathBox).text();
    // Both tests run, whatever the first one says.
    const bool found = workflow::exists(platform_.files, current);
    const bool named = workflow::endsInPulldownName(current);
    if (found && named) request.fileName = current;

    const std::string chosen = platform_.ui.openFile(window_.get(), request);
    if (!chosen.empty()) control(pulldownPathBox).setText(chosen);
}

void MainWindow::browseOutput() {
    platform::OpenFileRequest request;
    request.fileName = "";
    request.title = workflow::kDialogTitle;
    request.filter = workflow::kEncoderFilter;

    const std::string chosen = platform_.ui.openFile(window_.get(), request);
    if (chosen.empty()) return;
    control(outputPathBox).setText(workflow::outputPathForPick(chosen));
}

void MainWindow::outputPathChanged() {
    workflow::OutputPaths paths = workflow::deriveOutputPaths(control(outputPathBox).text());
    outFolder_ = std::move(paths.outFolder);
    outFileName_ = std::move(paths.outFileName);
    vafFileName_ = std::move(paths.vafFileName);
    if (!vafFileName_.empty()) control(vafPathBox).setText(outFolder_ + vafFileName_);
}

}  // namespace morvane::main_window
