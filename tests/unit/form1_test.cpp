#include <gtest/gtest.h>

#include "form1_harness.h"
#include "main_window/form1_constants.h"

namespace morvane {
namespace {

using namespace form1;
using platform::CheckState;
using platform::Twips;
using testing::Form1Harness;

TEST(Form1LoadTest, ShowsTheIdleStateWithTheVersionInTheCaption) {
    Form1Harness h;
    h.start();
    EXPECT_EQ(h.window().caption(), "Morvane (Version 1.0.1)");
    EXPECT_EQ(h.text(cmdGo), "Start Waiting");
    EXPECT_EQ(h.text(Label2), "Make sure CCE is running and...");
    EXPECT_EQ(h.text(Label5), "0");
    EXPECT_EQ(h.text(lblM), "");
    EXPECT_EQ(h.text(lblV), "");
    EXPECT_TRUE(h.control(txtPullPath).enabled());
    EXPECT_TRUE(h.control(txtMPath).enabled());
    EXPECT_FALSE(h.control(txtMvaf).enabled());
    EXPECT_FALSE(h.form.waiting());
    EXPECT_EQ(h.form.minutesWaited(), 0.0);
    EXPECT_EQ(h.form.freeTicks(), 0);
    EXPECT_EQ(h.window().shows(), 1);
}

TEST(Form1LoadTest, CaptionCarriesTheProgramsOwnVersion) {
    Form1Harness h;
    h.desktop.platform.identity = {"Morvane", 2, 3, 4};
    h.start();
    EXPECT_EQ(h.window().caption(), "Morvane (Version 2.3.4)");
}

TEST(Form1LoadTest, ArmsTheTimerOnceAtThirtySeconds) {
    Form1Harness h;
    h.start();
    const auto& timer = dynamic_cast<testing::MemoryTimer&>(h.window().timer());
    EXPECT_EQ(timer.history, (std::vector<std::string>{"enabled=0", "interval=30000", "enabled=1"}));
    EXPECT_TRUE(timer.enabled());
    EXPECT_EQ(timer.intervalMs(), 30000u);
}

struct CentreCase {
    double screenW, screenH, outerW, outerH, left, top;
};

TEST(Form1LoadTest, CentresOnTheFullScreenWithoutRoundingOrClamping) {
    // The memory desktop adds 240 x 885 twips of frame to the 7764 x 3876 client.
    const CentreCase cases[] = {
        {19200, 10800, 8004, 4761, 5598, 3019.5},
        {16008, 9522, 8004, 4761, 4002, 2380.5},  // twice the window: half its size
        {6000, 3000, 8004, 4761, -1002, -880.5},  // larger than the screen: negative
        {8005, 4762, 8004, 4761, 0.5, 0.5},
    };
    for (const CentreCase& c : cases) {
        Form1Harness h;
        h.desktop.ui.screen = {Twips(c.screenW), Twips(c.screenH)};
        h.start();
        EXPECT_DOUBLE_EQ(h.window().outerSize().width.value, c.outerW);
        EXPECT_DOUBLE_EQ(h.window().left().value, c.left) << c.screenW;
        EXPECT_DOUBLE_EQ(h.window().top().value, c.top) << c.screenH;
        EXPECT_EQ(h.window().moves(), 1);
    }
}

TEST(Form1LifecycleTest, ExitUnloadsAndEndsTheProgram) {
    Form1Harness h;
    h.start();
    h.window().click(mnuExit);
    EXPECT_FALSE(h.form.isOpen());
    EXPECT_TRUE(h.desktop.ui.ended());
    EXPECT_FALSE(h.desktop.ui.running());
}

TEST(Form1LifecycleTest, CloseBoxUnloadsAndTheProgramEndsWithItsLastWindow) {
    Form1Harness h;
    h.start();
    h.window().pressCloseBox();
    EXPECT_FALSE(h.form.isOpen());
    EXPECT_FALSE(h.desktop.ui.ended());
    EXPECT_FALSE(h.desktop.ui.running());
}

TEST(Form1LifecycleTest, NoTickReachesAClosedWindow) {
    Form1Harness h;
    h.start();
    h.window().pressCloseBox();
    h.window().tick();
    EXPECT_EQ(h.form.minutesWaited(), 0.0);
}

}  // namespace
}  // namespace morvane
