#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "about/about_window_layout.h"
#include "main_window/main_window_layout.h"
#include "main_window_harness.h"
#include "version.h"

namespace morvane {
namespace {

using platform::Twips;
using testing::MainWindowHarness;
using testing::MemoryWindow;

constexpr const char* kDescription =
    "This program is a simple tool\r\n"
    "that will run pulldown.exe for\r\n"
    "you when CCE encoding completes.\r\n"
    "That 's it.\r\n";

struct AboutHarness : MainWindowHarness {
    AboutHarness() { start(); }
    void openAbout() { window().click(main_window::aboutItem); }
    MemoryWindow* aboutWindow() { return desktop.ui.findWindow("aboutWindow"); }
    std::string aboutText(platform::ControlId id) { return aboutWindow()->control(id).text(); }
};

TEST(AboutWindowLoadTest, ShowsTitleVersionDescriptionAndAuthor) {
    AboutHarness h;
    h.openAbout();
    ASSERT_NE(h.aboutWindow(), nullptr);
    EXPECT_EQ(h.aboutWindow()->caption(), "About Morvane");
    EXPECT_EQ(h.aboutText(about::titleLabel), "Morvane");
    EXPECT_EQ(h.aboutText(about::versionLabel), "Version " MORVANE_VERSION_TEXT);
    EXPECT_EQ(h.aboutText(about::descriptionLabel), kDescription);
    EXPECT_EQ(h.aboutText(about::creditsLabel), "Author: Kestrine\r\nEmail:\r\n");
    EXPECT_EQ(h.aboutText(about::emailLink), "kestrine@kestrine.example");
    EXPECT_EQ(h.aboutText(about::downloadLink), "http://www.kestrine.example/software/morvane/morvane.zip");
    EXPECT_EQ(h.aboutText(about::okButton), "OK");
    EXPECT_EQ(h.aboutText(about::systemInfoButton), "&System Info...");
}

TEST(AboutWindowLoadTest, TextsFollowTheProgramsOwnTitleAndVersion) {
    AboutHarness h;
    h.desktop.platform.identity = {"Morvane", 2, 3, 4};
    h.openAbout();
    EXPECT_EQ(h.aboutText(about::versionLabel), "Version 2.3.4");
    h.aboutWindow()->click(about::okButton);

    h.desktop.platform.identity = {"Pull", 10, 0, 12};
    h.openAbout();
    EXPECT_EQ(h.aboutWindow()->caption(), "About Pull");
    EXPECT_EQ(h.aboutText(about::titleLabel), "Pull");
    EXPECT_EQ(h.aboutText(about::versionLabel), "Version 10.0.12");
}

TEST(AboutWindowLoadTest, CentresOnTheFullScreen) {
    AboutHarness h;
    h.desktop.ui.screen = {Twips(10000), Twips(5000)};
    h.openAbout();
    MemoryWindow& w = *h.aboutWindow();
    // Memory frame: 240 x 885 twips around the 7056 x 4404 client.
    EXPECT_DOUBLE_EQ(w.left().value, (10000 - 7296) / 2.0);
    EXPECT_DOUBLE_EQ(w.top().value, (5000 - 5289) / 2.0);
    EXPECT_EQ(w.moves(), 1);
}

TEST(AboutWindowLifecycleTest, SecondAboutShowsTheSameWindowWithoutLoadingAgain) {
    AboutHarness h;
    h.openAbout();
    MemoryWindow* first = h.aboutWindow();
    first->control(about::titleLabel).setText("touched");
    h.openAbout();
    EXPECT_EQ(h.aboutWindow(), first);
    EXPECT_EQ(first->shows(), 2);
    EXPECT_EQ(first->moves(), 1);
    EXPECT_EQ(h.aboutText(about::titleLabel), "touched");
}

TEST(AboutWindowLifecycleTest, ClosedAboutLoadsAfreshAndCentresAgain) {
    struct Close {
        const char* how;
        void (*close)(MemoryWindow&);
    };
    const Close closes[] = {
        {"OK", [](MemoryWindow& w) { w.click(about::okButton); }},
        {"close box", [](MemoryWindow& w) { w.pressCloseBox(); }},
    };
    for (const Close& c : closes) {
        SCOPED_TRACE(c.how);
        AboutHarness h;
        h.openAbout();
        MemoryWindow* first = h.aboutWindow();
        first->control(about::titleLabel).setText("touched");
        c.close(*first);
        EXPECT_FALSE(h.about.isOpen());
        EXPECT_EQ(h.aboutWindow(), nullptr);
        EXPECT_TRUE(h.window().isOpen());

        h.openAbout();
        ASSERT_NE(h.aboutWindow(), nullptr);
        EXPECT_EQ(h.aboutText(about::titleLabel), "Morvane");
        EXPECT_EQ(h.aboutWindow()->moves(), 1);
        EXPECT_EQ(h.aboutWindow()->caption(), "About Morvane");
    }
}

TEST(AboutWindowLifecycleTest, MainWindowStaysUsableAndKeepsTickingWhileAboutIsOpen) {
    AboutHarness h;
    const std::string pull = "C:\\Tools\\pulldown.exe";
    const std::string output = "D:\\Video\\movie.m2v";
    h.desktop.files.addFile(pull);
    h.desktop.files.addFile(output);
    h.desktop.files.hold(output);
    h.window().type(main_window::pulldownPathBox, pull);
    h.window().type(main_window::outputPathBox, output);

    h.openAbout();
    h.window().click(main_window::startButton);
    ASSERT_EQ(h.text(main_window::startButton), "Cancel");
    h.window().tick();
    h.window().tick();
    h.window().tick();
    EXPECT_EQ(h.text(main_window::minutesWaitedLabel), "2");
    EXPECT_TRUE(h.about.isOpen());
    EXPECT_EQ(h.aboutWindow()->moves(), 1);
}

TEST(AboutWindowLifecycleTest, ClosingTheMainWindowLeavesTheProgramRunningUntilAboutCloses) {
    AboutHarness h;
    h.openAbout();
    h.window().pressCloseBox();
    EXPECT_FALSE(h.window().isOpen());
    EXPECT_TRUE(h.about.isOpen());
    EXPECT_TRUE(h.desktop.ui.running());

    h.aboutWindow()->click(about::okButton);
    EXPECT_FALSE(h.about.isOpen());
    EXPECT_FALSE(h.desktop.ui.running());
    EXPECT_FALSE(h.desktop.ui.ended());
}

TEST(AboutWindowLifecycleTest, ExitEndsTheProgramThoughTheAboutWindowIsOpen) {
    AboutHarness h;
    h.openAbout();
    h.window().click(main_window::exitItem);
    EXPECT_FALSE(h.window().isOpen());
    EXPECT_TRUE(h.desktop.ui.ended());
    EXPECT_FALSE(h.desktop.ui.running());
    // It goes with the program; until then nothing reaches it.
    h.aboutWindow()->click(about::okButton);
    EXPECT_TRUE(h.about.isOpen());
}

// The captions shown are checked above; a link opens what its caption says.
TEST(AboutWindowLinksTest, TargetIsTheLabelsCaptionAtClickTime) {
    AboutHarness h;
    h.openAbout();
    h.aboutWindow()->control(about::downloadLink).setText("http://other.example/x.zip");
    h.aboutWindow()->control(about::emailLink).setText("someone@other.example");
    h.aboutWindow()->click(about::downloadLink);
    h.aboutWindow()->click(about::emailLink);
    EXPECT_EQ(h.desktop.processes.shellOpened,
              (std::vector<std::string>{"http://other.example/x.zip", "mailto:someone@other.example"}));
    EXPECT_TRUE(h.about.isOpen());
    EXPECT_TRUE(h.desktop.ui.messages.empty());
    EXPECT_TRUE(h.desktop.processes.attempts.empty());
}

TEST(AboutWindowLinksTest, OtherLabelsAndThePictureDoNothing) {
    AboutHarness h;
    h.openAbout();
    for (platform::ControlId id :
         {about::iconPicture, about::titleLabel, about::versionLabel, about::descriptionLabel, about::creditsLabel})
        h.aboutWindow()->click(id);
    EXPECT_TRUE(h.about.isOpen());
    EXPECT_TRUE(h.desktop.processes.shellOpened.empty());
    EXPECT_TRUE(h.desktop.processes.attempts.empty());
    EXPECT_TRUE(h.desktop.ui.messages.empty());
}

TEST(AboutWindowLayoutTest, ControlIdsLeaveTheDialogManagersOkAndCancelFree) {
    // Enter and Esc reach the window as commands 1 and 2.
    for (const platform::ControlSpec& c : about::layout().controls) EXPECT_GT(c.id.value, 2);
}

}  // namespace
}  // namespace morvane
