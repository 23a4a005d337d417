#include <cmath>
#include <optional>
#include <string>

#include "main_window/form1.h"
#include "main_window/form1_constants.h"
#include "workflow/module1.h"
#include "workflow/wait_cycle_constants.h"
#include "workflow/workflow_constants.h"

namespace morvane {

using namespace form1;
using namespace wait_cycle;
using platform::CheckState;
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
void Form1::cmdGoClick() {
    if (ctl(cmdGo).text() == kStartCaption) {
        startWaiting();
    } else {
        cancelWaiting();
    }
}

void Form1::startWaiting() {
    if (ctl(chkDrop).checkState() == CheckState::Clear && ctl(chkNoDrop).checkState() == CheckState::Clear) {
        error(workflow::kNoOptionChosen);
        return;
    }

    // Reset before the later checks, so a failed start also shows "0".
    minutesWaited_ = 0;
    ctl(Label5).setText("0");

    const std::string pullPath = ctl(txtPullPath).text();
    const bool pullPathEmpty = pullPath.empty();
    const bool pullPathFound = Module1::FileExists(platform_.files, pullPath);
    if (pullPathEmpty || !pullPathFound) {
        error(kInvalidPullPathMessage);
        return;
    }
    if (ctl(txtMPath).text().empty()) {
        error(kNoOutputFileMessage);
        return;
    }
    if (!markBusyFiles()) {
        error(kNothingBusyMessage);
        return;
    }
    // Told now, while the user is here to mend it, not at the end of the night.
    if (const std::optional<std::string> refusal = firstRefusal()) {
        ctl(lblM).setText("");
        ctl(lblV).setText("");
        error(*refusal);
        return;
    }

    ctl(Label2).setText(kWaitingHint);
    ctl(cmdGo).setText(kCancelCaption);
    ctl(txtPullPath).setEnabled(false);
    ctl(txtMPath).setEnabled(false);
    freeTicks_ = 0;
    waiting_ = true;
    // Left alone overnight: the machine must not sleep through the encoder's end.
    holdSystemAwake(true);
}

void Form1::cancelWaiting() {
    waiting_ = false;
    showIdleState();
    holdSystemAwake(false);
}

void Form1::timer1Tick() {
    if (!waiting_) return;

    minutesWaited_ += kMinutesPerTick;
    ctl(Label5).setText(roundedHalfToEven(minutesWaited_));

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
    StartPulldown();
    mnuExitClick();
}

// A file that does not exist is not busy: the VAF file may never come.
bool Form1::watchedFileBusy(ControlId pathBox) {
    if (!Module1::FileExists(platform_.files, ctl(pathBox).text())) return false;
    return !Module1::FileIsFree(platform_.files, ctl(pathBox).text());
}

// Probes the VAF file first, then the output file; true when either is busy.
bool Form1::markBusyFiles() {
    const bool vafBusy = watchedFileBusy(txtMvaf);
    const bool outputBusy = watchedFileBusy(txtMPath);
    ctl(lblM).setText(outputBusy ? kBusyMark : "");
    ctl(lblV).setText(vafBusy ? kBusyMark : "");
    return vafBusy || outputBusy;
}

void Form1::holdSystemAwake(bool on) {
    if (systemAwakeHeld_ == on) return;
    systemAwakeHeld_ = on;
    platform_.ui.keepSystemAwake(on);
}

// The window may close with a wait armed (close box, File > Exit); the
// machine may sleep again then, even while an About window keeps the program alive.
void Form1::waitCycleWindowClosing() { holdSystemAwake(false); }

}  // namespace morvane
