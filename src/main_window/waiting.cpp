#include <optional>
#include <string>

#include "main_window/main_window.h"
#include "main_window/main_window_constants.h"
#include "workflow/file_probes.h"
#include "workflow/wait_cycle.h"
#include "workflow/workflow_constants.h"

namespace morvane::main_window {

using platform::ControlId;

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

    wait_.resetMinutes();
    control(minutesWaitedLabel).setText("0");

    const std::string pullPath = control(pulldownPathBox).text();
    const bool pullPathEmpty = pullPath.empty();
    const bool pullPathFound = workflow::exists(platform_.files, pullPath);
    if (pullPathEmpty || !pullPathFound) {
        showError(workflow::kInvalidPullPathMessage);
        return;
    }
    if (control(outputPathBox).text().empty()) {
        showError(workflow::kNoOutputFileMessage);
        return;
    }
    const workflow::WatchedFiles found = probeWatchedFiles();
    showBusyMarks(found);
    if (!found.anyBusy()) {
        showError(workflow::kNothingBusyMessage);
        return;
    }
    // Told now, while the user is here to mend it, not at the end of the night.
    if (const std::optional<std::string> refusal = firstRefusal()) {
        showBusyMarks({});
        showError(*refusal);
        return;
    }

    control(statusLabel).setText(kWaitingHint);
    control(startButton).setText(kCancelCaption);
    control(pulldownPathBox).setEnabled(false);
    control(outputPathBox).setEnabled(false);
    window_->acceptFiles(false);
    wait_.arm();
    // Left alone overnight: the machine must not sleep through the encoder's end.
    holdSystemAwake(true);
}

void MainWindow::cancelWaiting() {
    wait_.cancel();
    showIdleState();
    holdSystemAwake(false);
}

void MainWindow::tick() {
    if (!wait_.armed()) return;

    const workflow::TickOutcome outcome = wait_.tick(probeWatchedFiles());
    control(minutesWaitedLabel).setText(outcome.minutesText);
    showBusyMarks(outcome.busyMarks);
    if (outcome.next == workflow::NextStep::KeepWaiting) return;

    // The encoder has let go. The machine may sleep again even if a run's
    // failure to start leaves a message waiting for the user.
    holdSystemAwake(false);
    // No checks of its own: the options and paths are taken as they stand now.
    startPulldownRuns();
    exitProgram();
}

// A file that does not exist is not busy: the VAF file may never come.
workflow::FileState MainWindow::watchedFileState(ControlId pathBox) {
    const bool busy = workflow::exists(platform_.files, control(pathBox).text()) &&
                      !workflow::isFree(platform_.files, control(pathBox).text());
    return busy ? workflow::FileState::Busy : workflow::FileState::Free;
}

// The VAF file first, then the output file.
workflow::WatchedFiles MainWindow::probeWatchedFiles() {
    const workflow::FileState vaf = watchedFileState(vafPathBox);
    const workflow::FileState output = watchedFileState(outputPathBox);
    return {.vaf = vaf, .output = output};
}

void MainWindow::showBusyMarks(workflow::WatchedFiles marks) {
    const auto mark = [](workflow::FileState state) { return state == workflow::FileState::Busy ? kBusyMark : ""; };
    control(outputBusyMark).setText(mark(marks.output));
    control(vafBusyMark).setText(mark(marks.vaf));
}

void MainWindow::holdSystemAwake(bool on) {
    if (systemAwakeHeld_ == on) return;
    systemAwakeHeld_ = on;
    platform_.ui.keepSystemAwake(on);
}

}  // namespace morvane::main_window
