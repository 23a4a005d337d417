#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "about/about_constants.h"
#include "about/frm_about_layout.h"
#include "form1_harness.h"
#include "main_window/form1_layout.h"

namespace morvane {
namespace {

using platform::Twips;
using testing::Form1Harness;
using testing::MemoryWindow;

constexpr const char* kDescription =
    "This program is a simple tool\r\n"
    "that will run pulldown.exe for\r\n"
    "you when CCE encoding completes.\r\n"
    "That 's it.\r\n";

struct AboutHarness : Form1Harness {
    AboutHarness() { start(); }
    void openAbout() { window().click(form1::mnuAbout); }
    MemoryWindow* aboutWindow() { return desktop.ui.findWindow("frmAbout"); }
    std::string aboutText(platform::ControlId id) { return aboutWindow()->control(id).text(); }
};

TEST(FrmAboutLoadTest, ShowsTitleVersionDescriptionAndAuthor) {
    AboutHarness h;
    h.openAbout();
    ASSERT_NE(h.aboutWindow(), nullptr);
    EXPECT_EQ(h.aboutWindow()->caption(), "About Morvane");
    EXPECT_EQ(h.aboutText(about::lblTitle), "Morvane");
    EXPECT_EQ(h.aboutText(about::lblVersion), "Version 1.0.1");
    EXPECT_EQ(h.aboutText(about::lblDescription), kDescription);
    EXPECT_EQ(h.aboutText(about::lblDisclaimer), "Author: Kestrine\r\nEmail:\r\n");
    EXPECT_EQ(h.aboutText(about::lblEmailLink), about::kEmailAddress);
    EXPECT_EQ(h.aboutText(about::lblDownloadLink), about::kDownloadAddress);
    EXPECT_EQ(h.aboutText(about::cmdOK), "OK");
    EXPECT_EQ(h.aboutText(about::cmdSysInfo), "&System Info...");
}

TEST(FrmAboutLoadTest, TextsFollowTheProgramsOwnTitleAndVersion) {
    AboutHarness h;
    h.desktop.platform.identity = {"Morvane", 2, 3, 4};
    h.openAbout();
    EXPECT_EQ(h.aboutText(about::lblVersion), "Version 2.3.4");
    h.aboutWindow()->click(about::cmdOK);

    h.desktop.platform.identity = {"Pull", 10, 0, 12};
    h.openAbout();
    EXPECT_EQ(h.aboutWindow()->caption(), "About Pull");
    EXPECT_EQ(h.aboutText(about::lblTitle), "Pull");
    EXPECT_EQ(h.aboutText(about::lblVersion), "Version 10.0.12");
}

TEST(FrmAboutLoadTest, LinkAddressesAreUnderTheExampleDomain) {
    EXPECT_TRUE(about::kDownloadAddress.starts_with("http://"));
    EXPECT_TRUE(about::kDownloadAddress.ends_with("/morvane/morvane.zip"));
    EXPECT_NE(about::kDownloadAddress.find("kestrine.example/"), std::string_view::npos);
    EXPECT_TRUE(about::kEmailAddress.ends_with("@kestrine.example"));
}

TEST(FrmAboutLoadTest, CentresOnTheFullScreen) {
    AboutHarness h;
    h.desktop.ui.screen = {Twips(10000), Twips(5000)};
    h.openAbout();
    MemoryWindow& w = *h.aboutWindow();
    // Memory frame: 240 x 885 twips around the 7056 x 4404 client.
    EXPECT_DOUBLE_EQ(w.left().value, (10000 - 7296) / 2.0);
    EXPECT_DOUBLE_EQ(w.top().value, (5000 - 5289) / 2.0);
    EXPECT_EQ(w.moves(), 1);
}

TEST(FrmAboutLifecycleTest, SecondAboutShowsTheSameWindowWithoutLoadingAgain) {
    AboutHarness h;
    h.openAbout();
    MemoryWindow* first = h.aboutWindow();
    first->control(about::lblTitle).setText("touched");
    h.openAbout();
    EXPECT_EQ(h.aboutWindow(), first);
    EXPECT_EQ(first->shows(), 2);
    EXPECT_EQ(first->moves(), 1);
    EXPECT_EQ(h.aboutText(about::lblTitle), "touched");
}

TEST(FrmAboutLifecycleTest, ClosedAboutLoadsAfreshAndCentresAgain) {
    struct Close {
        const char* how;
        void (*close)(MemoryWindow&);
    };
    const Close closes[] = {
        {"OK", [](MemoryWindow& w) { w.click(about::cmdOK); }},
        {"close box", [](MemoryWindow& w) { w.pressCloseBox(); }},
    };
    for (const Close& c : closes) {
        SCOPED_TRACE(c.how);
        AboutHarness h;
        h.openAbout();
        MemoryWindow* first = h.aboutWindow();
        first->control(about::lblTitle).setText("touched");
        c.close(*first);
        EXPECT_FALSE(h.about.isOpen());
        EXPECT_EQ(h.aboutWindow(), nullptr);
        EXPECT_TRUE(h.form.isOpen());

        h.openAbout();
        ASSERT_NE(h.aboutWindow(), nullptr);
        EXPECT_EQ(h.aboutText(about::lblTitle), "Morvane");
        EXPECT_EQ(h.aboutWindow()->moves(), 1);
        EXPECT_EQ(h.aboutWindow()->caption(), "About Morvane");
    }
}

TEST(FrmAboutLifecycleTest, MainWindowStaysUsableAndKeepsTickingWhileAboutIsOpen) {
    AboutHarness h;
    const std::string pull = "C:\\Tools\\pulldown.exe";
    const std::string output = "D:\\Video\\movie.m2v";
    h.desktop.files.addFile(pull);
    h.desktop.files.addFile(output);
    h.desktop.files.hold(output);
    h.window().type(form1::txtPullPath, pull);
    h.window().type(form1::txtMPath, output);

    h.openAbout();
    h.window().click(form1::cmdGo);
    ASSERT_TRUE(h.form.waiting());
    h.window().tick();
    h.window().tick();
    h.window().tick();
    EXPECT_EQ(h.form.minutesWaited(), 1.5);
    EXPECT_EQ(h.text(form1::Label5), "2");
    EXPECT_TRUE(h.about.isOpen());
    EXPECT_EQ(h.aboutWindow()->moves(), 1);
}

TEST(FrmAboutLifecycleTest, ClosingTheMainWindowLeavesTheProgramRunningUntilAboutCloses) {
    AboutHarness h;
    h.openAbout();
    h.window().pressCloseBox();
    EXPECT_FALSE(h.form.isOpen());
    EXPECT_TRUE(h.about.isOpen());
    EXPECT_TRUE(h.desktop.ui.running());

    h.aboutWindow()->click(about::cmdOK);
    EXPECT_FALSE(h.about.isOpen());
    EXPECT_FALSE(h.desktop.ui.running());
    EXPECT_FALSE(h.desktop.ui.ended());
}

TEST(FrmAboutLifecycleTest, ExitClosesBothAtOnce) {
    AboutHarness h;
    h.openAbout();
    MemoryWindow* about = h.aboutWindow();
    h.window().click(form1::mnuExit);
    EXPECT_FALSE(h.form.isOpen());
    EXPECT_FALSE(h.about.isOpen());
    EXPECT_FALSE(about->isOpen());
    EXPECT_TRUE(h.desktop.ui.ended());
    EXPECT_FALSE(h.desktop.ui.running());
}

TEST(FrmAboutLinksTest, LinksShellOpenTheirCaptionsWithNothingElseAdded) {
    AboutHarness h;
    h.openAbout();
    h.aboutWindow()->click(about::lblDownloadLink);
    h.aboutWindow()->click(about::lblEmailLink);
    EXPECT_EQ(h.desktop.processes.shellOpened,
              (std::vector<std::string>{std::string(about::kDownloadAddress),
                                        "mailto:" + std::string(about::kEmailAddress)}));
    EXPECT_TRUE(h.about.isOpen());
    EXPECT_TRUE(h.desktop.ui.messages.empty());
    EXPECT_TRUE(h.desktop.processes.attempts.empty());
}

TEST(FrmAboutLinksTest, TargetIsTheLabelsCaptionAtClickTime) {
    AboutHarness h;
    h.openAbout();
    h.aboutWindow()->control(about::lblDownloadLink).setText("http://other.example/x.zip");
    h.aboutWindow()->control(about::lblEmailLink).setText("someone@other.example");
    h.aboutWindow()->click(about::lblDownloadLink);
    h.aboutWindow()->click(about::lblEmailLink);
    EXPECT_EQ(h.desktop.processes.shellOpened,
              (std::vector<std::string>{"http://other.example/x.zip", "mailto:someone@other.example"}));
}

TEST(FrmAboutLinksTest, OtherLabelsAndThePictureDoNothing) {
    AboutHarness h;
    h.openAbout();
    for (platform::ControlId id :
         {about::picIcon, about::lblTitle, about::lblVersion, about::lblDescription, about::lblDisclaimer})
        h.aboutWindow()->click(id);
    EXPECT_TRUE(h.about.isOpen());
    EXPECT_TRUE(h.desktop.processes.shellOpened.empty());
    EXPECT_TRUE(h.desktop.processes.attempts.empty());
    EXPECT_TRUE(h.desktop.ui.messages.empty());
}

TEST(FrmAboutLayoutTest, ControlIdsLeaveTheDialogManagersOkAndCancelFree) {
    // Enter and Esc reach the window as commands 1 and 2.
    for (const platform::ControlSpec& c : about::layout().controls) EXPECT_GT(c.id.value, 2) << c.name;
}

}  // namespace
}  // namespace morvane
