#pragma once

#include <string>

// The wait for the encoder to let go of its files, as a value: the window
// probes the files on each tick of its timer and hands over what it found;
// this says what to show and whether the time has come to start the runs.
namespace morvane::workflow {

enum class FileState { Free, Busy };

// What one look at the two watched files found. A file that does not exist is free.
struct WatchedFiles {
    FileState vaf = FileState::Free;
    FileState output = FileState::Free;

    [[nodiscard]] bool anyBusy() const { return vaf == FileState::Busy || output == FileState::Busy; }
};

enum class NextStep { KeepWaiting, StartRunsAndEnd };

struct TickOutcome {
    std::string minutesText;  // the minutes waited, rounded to a whole number
    WatchedFiles busyMarks;   // the mark beside each path box
    NextStep next = NextStep::KeepWaiting;
};

class WaitCycle {
public:
    // The start click counts the minutes from zero again before its checks,
    // so a start that fails shows "0" as well.
    void resetMinutes() { minutesWaited_ = 0.0; }
    void arm();
    // Leaves the free ticks to the next arming, which sets them back anyway.
    void cancel();
    [[nodiscard]] bool armed() const { return armed_; }

    // One armed tick of the timer. The encoder counts as finished on the
    // second tick in a row that finds neither file busy.
    [[nodiscard]] TickOutcome tick(WatchedFiles found);

private:
    bool armed_ = false;
    double minutesWaited_ = 0.0;
    int freeTicksInARow_ = 0;
};

}  // namespace morvane::workflow
