#include <gtest/gtest.h>

#include "main_window/main_window_constants.h"
#include "main_window_harness.h"
#include "version.h"

namespace morvane {
namespace {

using namespace main_window;
using platform::CheckState;
using platform::Twips;
using testing::MainWindowHarness;

TEST(MainWindowLoadTest, ShowsTheIdleStateWithTheVersionInTheCaption) {
    MainWindowHarness h;
    h.start();
    EXPECT_EQ(h.window().caption(), "Morvane (Version " MORVANE_VERSION_TEXT ")");
    EXPECT_EQ(h.text(startButton), "Start Waiting");
    EXPECT_EQ(h.text(statusLabel), "Make sure CCE is running and...");
    EXPECT_EQ(h.text(minutesWaitedLabel), "0");
    EXPECT_EQ(h.text(outputBusyMark), "");
    EXPECT_EQ(h.text(vafBusyMark), "");
    EXPECT_TRUE(h.control(pulldownPathBox).enabled());
    EXPECT_TRUE(h.control(outputPathBox).enabled());
    EXPECT_FALSE(h.control(vafPathBox).enabled());
    EXPECT_EQ(h.window().shows(), 1);
}

TEST(MainWindowLoadTest, CaptionCarriesTheProgramsOwnVersion) {
    MainWindowHarness h;
    h.desktop.platform.identity = {"Morvane", 2, 3, 4};
    h.start();
    EXPECT_EQ(h.window().caption(), "Morvane (Version 2.3.4)");
}

TEST(MainWindowLoadTest, ArmsTheTimerOnceAtThirtySeconds) {
    MainWindowHarness h;
    h.start();
    const auto& timer = dynamic_cast<testing::MemoryTimer&>(h.window().timer());
    EXPECT_EQ(timer.history, (std::vector<std::string>{"enabled=0", "interval=30000", "enabled=1"}));
    EXPECT_TRUE(timer.enabled());
    EXPECT_EQ(timer.intervalMs(), 30000u);
}

struct CentreCase {
    double screenW, screenH, outerW, outerH, left, top;
};

TEST(MainWindowLoadTest, CentresOnTheFullScreenWithoutRoundingOrClamping) {
    // The memory desktop adds 240 x 885 twips of frame to the 7764 x 3876 client.
    const CentreCase cases[] = {
        {19200, 10800, 8004, 4761, 5598, 3019.5},
        {16008, 9522, 8004, 4761, 4002, 2380.5},  // twice the window: half its size
        {6000, 3000, 8004, 4761, -1002, -880.5},  // larger than the screen: negative
        {8005, 4762, 8004, 4761, 0.5, 0.5},
    };
    for (const CentreCase& c : cases) {
        MainWindowHarness h;
        h.desktop.ui.screen = {Twips(c.screenW), Twips(c.screenH)};
        h.start();
        EXPECT_DOUBLE_EQ(h.window().outerSize().width.value, c.outerW);
        EXPECT_DOUBLE_EQ(h.window().left().value, c.left) << c.screenW;
        EXPECT_DOUBLE_EQ(h.window().top().value, c.top) << c.screenH;
        EXPECT_EQ(h.window().moves(), 1);
    }
}

TEST(MainWindowLifecycleTest, ExitUnloadsAndEndsTheProgram) {
    MainWindowHarness h;
    h.start();
    h.window().click(exitItem);
    EXPECT_FALSE(h.window().isOpen());
    EXPECT_TRUE(h.desktop.ui.ended());
    EXPECT_FALSE(h.desktop.ui.running());
}

TEST(MainWindowLifecycleTest, CloseBoxUnloadsAndTheProgramEndsWithItsLastWindow) {
    MainWindowHarness h;
    h.start();
    h.window().pressCloseBox();
    EXPECT_FALSE(h.window().isOpen());
    EXPECT_FALSE(h.desktop.ui.ended());
    EXPECT_FALSE(h.desktop.ui.running());
}

}  // namespace
}  // namespace morvane
