#include "workflow/wait_cycle.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace morvane::workflow {
namespace {

// One letter per event: the clicks a (arm), c (cancel), r (a start click
// resets the minutes), and the ticks with what each found: - nothing busy,
// o the output file busy, v the VAF file busy, b both.
struct Row {
    const char* events;
    std::vector<std::string> minutesShown;  // one text per tick
    int runsStartOnTick;                    // counted from 1; 0 for never
    bool armedAfter;
};

WatchedFiles found(char tick) {
    const auto state = [](bool busy) { return busy ? FileState::Busy : FileState::Free; };
    return {.vaf = state(tick == 'v' || tick == 'b'), .output = state(tick == 'o' || tick == 'b')};
}

TEST(WaitCycleValueTest, EachSequenceOfEventsShowsAndDoesWhatItsRowSays) {
    // clang-format off
    const Row rows[] = {
        {"", {}, 0, false},
        // Half a minute a tick, a half going to the even neighbour.
        {"aoooooooooooooo", {"0", "1", "2", "2", "2", "3", "4", "4", "4", "5", "6", "6", "6", "7"}, 0, true},
        {"a--", {"0", "1"}, 2, true},
        {"a-v--", {"0", "1", "2", "2"}, 4, true},
        {"a-o-b--", {"0", "1", "2", "2", "2", "3"}, 6, true},
        {"a-ca--", {"0", "0", "1"}, 3, true},  // arming counts free ticks from zero
        {"aoooca-", {"0", "1", "2", "0"}, 0, true},  // cancel sets the minutes back
        {"aoc", {"0"}, 0, false},
        {"aoo-r-", {"0", "1", "2", "0"}, 4, true},  // a start click while armed keeps the free ticks
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.events);
        WaitCycle wait;
        std::vector<std::string> shown;
        int startedOn = 0;
        for (const char event : std::string(row.events)) {
            if (event == 'a') {
                wait.arm();
            } else if (event == 'c') {
                wait.cancel();
            } else if (event == 'r') {
                wait.resetMinutes();
            } else {
                const TickOutcome outcome = wait.tick(found(event));
                shown.push_back(outcome.minutesText);
                EXPECT_EQ(outcome.busyMarks.vaf, found(event).vaf) << shown.size();
                EXPECT_EQ(outcome.busyMarks.output, found(event).output) << shown.size();
                if (outcome.next == NextStep::StartRunsAndEnd && startedOn == 0)
                    startedOn = static_cast<int>(shown.size());
            }
        }
        EXPECT_EQ(shown, row.minutesShown);
        EXPECT_EQ(startedOn, row.runsStartOnTick);
        EXPECT_EQ(wait.armed(), row.armedAfter);
    }
}

}  // namespace
}  // namespace morvane::workflow
