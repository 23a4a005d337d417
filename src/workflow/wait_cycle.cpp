#include "workflow/wait_cycle.h"

#include <cmath>

#include "workflow/workflow_constants.h"

namespace morvane::workflow {

namespace {

// The minute display has always sent a half to the even neighbour: 2.5 shows as 2.
std::string roundedHalfToEven(double minutes) {
    const double whole = std::floor(minutes);
    const double fraction = minutes - whole;
    const bool up = fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0);
    return std::to_string(static_cast<long long>(up ? whole + 1.0 : whole));
}

}  // namespace

void WaitCycle::arm() {
    freeTicksInARow_ = 0;
    armed_ = true;
}

void WaitCycle::cancel() {
    armed_ = false;
    minutesWaited_ = 0.0;
}

TickOutcome WaitCycle::tick(WatchedFiles found) {
    minutesWaited_ += workflow::kMinutesPerTick;
    TickOutcome outcome{.minutesText = roundedHalfToEven(minutesWaited_), .busyMarks = found};
    if (found.anyBusy()) {
        freeTicksInARow_ = 0;
    } else if (++freeTicksInARow_ >= workflow::kFreeTicksToFinish) {
        outcome.next = NextStep::StartRunsAndEnd;
    }
    return outcome;
}

}  // namespace morvane::workflow
