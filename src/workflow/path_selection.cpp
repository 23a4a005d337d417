#include <string>

#include "main_window/form1.h"
#include "workflow/module1.h"
#include "workflow/path_derivation.h"
#include "workflow/workflow_constants.h"

namespace morvane {

using namespace form1;

void Form1::cmdPullPathClick() {
    platform::OpenFileRequest cd1;
    cd1.title = workflow::kDialogTitle;
    cd1.fileName = "";
    cd1.filter = workflow::kPulldownFilter;
    const std::string current = ctl(txtPullPath).text();
    // Both tests run, whatever the first one says.
    const bool exists = Module1::FileExists(platform_.files, current);
    const bool named = workflow::endsInPulldownName(current);
    if (exists && named) cd1.fileName = current;

    const std::string chosen = platform_.ui.openFile(window_.get(), cd1);
    if (!chosen.empty()) ctl(txtPullPath).setText(chosen);
}

void Form1::command1Click() {
    platform::OpenFileRequest cd1;
    cd1.fileName = "";
    cd1.title = workflow::kDialogTitle;
    cd1.filter = workflow::kEncoderFilter;

    const std::string chosen = platform_.ui.openFile(window_.get(), cd1);
    if (chosen.empty()) return;
    ctl(txtMPath).setText(workflow::outputPathForPick(chosen));
}

void Form1::txtMPathChange() {
    workflow::OutputPaths paths = workflow::deriveOutputPaths(ctl(txtMPath).text());
    outFolder_ = std::move(paths.outFolder);
    outFileName_ = std::move(paths.outFileName);
    vafFileName_ = std::move(paths.vafFileName);
    if (!vafFileName_.empty()) ctl(txtMvaf).setText(outFolder_ + vafFileName_);
}

}  // namespace morvane
