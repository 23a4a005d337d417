#include <cmath>
#include <optional>
#include <string>

#include "main_window/main_window.h"
#include "main_window/main_window_constants.h"
#include "workflow/file_probes.h"
#include "workflow/wait_cycle_constants.h"
#include "workflow/workflow_constants.h"

namespace morvane {

using namespace main_window;
using namespace wait_cycle;
using platform::ControlId;

namespace {

// The minute display has always sent a half to the even neighbour: 2.5 shows as 2.
std::string roundedHalfToEven(double minutes) {
    const double whole = std::floor(minutes);
    const double fraction = minutes - whole;
    const bool up = fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0);
    return std::to_string(static_cast<long long>(up ? whole + 1.0 : whole));
}

}  // namespace

// The caption alone decides: a wait is cancelled by whatever the button says
// when it does not say "Start Waiting".
void MainWindow::startOrCancelWaiting() {
    if (control(startButton).text() == kStartCaption) {
        startWaiting();
    } else {
        cancelWaiting();
    }
}

void MainWindow::startWaiting() {
    if (noRunChosen()) {
        showError(workflow::kNoOptionChosen);
        return;
    }

    // Reset before the later checks, so a failed start also shows "0".
    minutesWaited_ = 0;
    control(minutesWaitedLabel).setText("0");

    const std::string pullPath = control(pulldownPathBox).text();
    const bool pullPathEmpty = pullPath.empty();
    const bool pullPathFound = probes::exists(platform_.files, pullPath);
    if (pullPathEmpty || !pullPathFound) {
        showError(kInvalidPullPathMessage);
        return;
    }
    if (control(outputPathBox).text().empty()) {
        showError(kNoOutputFileMessage);
        return;
    }
    if (!markBusyFiles()) {
        showError(kNothingBusyMessage);
        return;
    }
    // Told now, while the user is here to mend it, not at the end of the night.
    if (const std::optional<std::string> refusal = firstRefusal()) {
        control(outputBusyMark).setText("");
        control(vafBusyMark).setText("");
        showError(*refusal);
        return;
    }

    control(statusLabel).setText(kWaitingHint);
    control(startButton).setText(kCancelCaption);
    control(pulldownPathBox).setEnabled(false);
    control(outputPathBox).setEnabled(false);
    window_->acceptFiles(false);
    freeTicks_ = 0;
    waiting_ = true;
    // Left alone overnight: the machine must not sleep through the encoder's end.
    holdSystemAwake(true);
}

void MainWindow::cancelWaiting() {
    waiting_ = false;
    showIdleState();
    holdSystemAwake(false);
}

void MainWindow::tick() {
    if (!waiting_) return;

    minutesWaited_ += kMinutesPerTick;
    control(minutesWaitedLabel).setText(roundedHalfToEven(minutesWaited_));

    if (markBusyFiles()) {
        freeTicks_ = 0;
        return;
    }
    ++freeTicks_;
    if (freeTicks_ < kFreeTicksToFinish) return;

    // The encoder has let go. The machine may sleep again even if a run's
    // failure to start leaves a message waiting for the user.
    holdSystemAwake(false);
    // No checks of its own: the options and paths are taken as they stand now.
    startPulldownRuns();
    exitProgram();
}

// A file that does not exist is not busy: the VAF file may never come.
bool MainWindow::watchedFileBusy(ControlId pathBox) {
    if (!probes::exists(platform_.files, control(pathBox).text())) return false;
    return !probes::isFree(platform_.files, control(pathBox).text());
}

// Probes the VAF file first, then the output file; true when either is busy.
bool MainWindow::markBusyFiles() {
    const bool vafBusy = watchedFileBusy(vafPathBox);
    const bool outputBusy = watchedFileBusy(outputPathBox);
    control(outputBusyMark).setText(outputBusy ? kBusyMark : "");
    control(vafBusyMark).setText(vafBusy ? kBusyMark : "");
    return vafBusy || outputBusy;
}

void MainWindow::holdSystemAwake(bool on) {
    if (systemAwakeHeld_ == on) return;
    systemAwakeHeld_ = on;
    platform_.ui.keepSystemAwake(on);
}

}  // namespace morvane
