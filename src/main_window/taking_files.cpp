#include <variant>

#include "main_window/main_window.h"
#include "workflow/handed_files.h"

namespace morvane::main_window {

void MainWindow::takeArguments() {
    const auto parsed = workflow::parseArguments(arguments_, platform_.files.currentFolder());
    if (const auto* refusal = std::get_if<workflow::Refusal>(&parsed)) {
        showError(refusal->message);
        return;
    }
    const auto& request = std::get<workflow::StartRequest>(parsed);
    if (takeFiles(request.files) && request.wait) startOrCancelWaiting();
}

// Each file goes where picking it with its box's browse button would put it.
// False when they are refused, and nothing has changed.
bool MainWindow::takeFiles(const std::vector<std::string>& paths) {
    const auto sorted = workflow::sortHandedFiles(platform_.files, paths);
    if (const auto* refusal = std::get_if<workflow::Refusal>(&sorted)) {
        showError(refusal->message);
        return false;
    }
    const auto& handed = std::get<workflow::HandedFiles>(sorted);
    if (handed.pulldownPath) control(pulldownPathBox).setText(*handed.pulldownPath);
    if (handed.outputPath) control(outputPathBox).setText(*handed.outputPath);
    return true;
}

}  // namespace morvane::main_window
