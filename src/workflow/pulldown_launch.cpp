#include <string>

#include "main_window/form1.h"
#include "workflow/module1.h"
#include "workflow/pulldown_command.h"
#include "workflow/workflow_constants.h"

namespace morvane {

using namespace form1;
using platform::CheckState;

void Form1::StartPulldown() {
    const auto startRun = [this](workflow::PulldownRun run) {
        const std::string program = ctl(txtPullPath).text();
        const std::string commandLine = workflow::pulldownCommandLine(program, outFolder_, outFileName_, run);
        // No file name holds a double quote: one here would end the quoted program
        // path early and hand the rest of the text to the system as its command.
        const bool nameable = program.find('"') == std::string::npos;
        // A run that cannot start is told at once; the other run is still tried.
        if (!nameable || !platform_.processes.start(commandLine, platform::ShowStyle::MinimizedFocus))
            error(std::string(workflow::kCouldNotStartPrefix) + '"' + program + '"');
    };
    if (ctl(chkDrop).checkState() == CheckState::Ticked) startRun(workflow::PulldownRun::DropFrame);
    if (ctl(chkNoDrop).checkState() == CheckState::Ticked) startRun(workflow::PulldownRun::NoOptions);
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
