// The real program, driven from outside through its window, against a stand-in
// encoder and a recorder standing in for pulldown.exe.
//
// The product's tickTimer ticks every 30 seconds; these tests do not wait for it
// but send the window the timer's own message (WM_TIMER, id 1) and get the
// answer once the tick has been handled.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "files_test_support.h"
#include "main_window/main_window_layout.h"
#include "remote_main_window.h"
#include "win32_test_support.h"

namespace morvane {
namespace {

using platform::ControlId;
using testing::forgetSettings;
using testing::kBusyMark;
using testing::kMainCaption;
using testing::kSettingsKey;
using testing::pumpUntil;
using testing::quoted;
using testing::topLevelWindowOf;

constexpr DWORD kExitTimeoutMs = 20000;
constexpr const wchar_t* kAboutCaption = L"About Morvane";

// morvane.exe, seen from outside, with the boxes and windows it may show.
class Morvane : public testing::StartedMorvane {
public:
    explicit Morvane(const std::wstring& arguments = L"") : StartedMorvane(testing::morvaneExe(), arguments) {}

    [[nodiscard]] HWND errorBox() const { return topLevelWindowOf(process().id(), L"#32770", L"Error"); }
    [[nodiscard]] HWND aboutWindow() const { return topLevelWindowOf(process().id(), L"MorvaneForm", kAboutCaption); }
};

std::optional<std::wstring> storedSetting(const wchar_t* name) {
    wchar_t buffer[2048] = {};
    DWORD size = sizeof(buffer);
    // The per-user key wins once it exists, as in the program; without the
    // rights to write machine-wide, the program saves there.
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE})
        if (RegGetValueW(root, testing::settingsKeyOf(root), name, RRF_RT_REG_SZ, nullptr, buffer, &size) ==
            ERROR_SUCCESS)
            return std::wstring(buffer);
    return std::nullopt;
}

// A scratch folder holding a pulldown.exe (the recorder) in a folder with a
// blank in its name and a folder for the encoder's files.
class MorvaneE2eTest : public ::testing::Test, protected testing::RecorderFolder {
protected:
    MorvaneE2eTest() : RecorderFolder(L"morvane-e2e") {}
    void SetUp() override {
        ASSERT_EQ(installRecorder(L"Pull Tools"), pulldown());
        CreateDirectoryW(encodes().c_str(), nullptr);
        forgetSettings();
    }
    void TearDown() override { forgetSettings(); }

    [[nodiscard]] std::wstring encodes() const { return scratch / L"encodes"; }
    [[nodiscard]] std::wstring pulldown() const { return scratch / L"Pull Tools\\pulldown.exe"; }
    [[nodiscard]] std::wstring output() const { return encodes() + L"\\movie.m2v"; }
    [[nodiscard]] std::wstring vaf() const { return encodes() + L"\\movie.vaf"; }

    // Paths and options set through the window, as a user would.
    void fillIn(const Morvane& app, WPARAM drop, WPARAM noDrop) {
        app.type(main_window::pulldownPathBox, pulldown());
        app.type(main_window::outputPathBox, output());
        ASSERT_EQ(app.text(main_window::vafPathBox), vaf());
        app.check(main_window::dropFrameCheck, drop);
        app.check(main_window::noOptionsCheck, noDrop);
    }
    void startWaiting(const Morvane& app) {
        app.click(main_window::startButton);
        ASSERT_TRUE(pumpUntil([&] { return app.text(main_window::startButton) == L"Cancel"; }));
    }
};

TEST_F(MorvaneE2eTest, RunsPulldownWhenTheEncoderHasLetGoOnTwoTicksAndExits) {
    testing::EncoderStandIn encoder(output(), vaf());
    Morvane app;
    fillIn(app, BST_CHECKED, BST_CHECKED);
    startWaiting(app);
    EXPECT_EQ(app.text(main_window::statusLabel), L"Waiting for CCE to finish");
    EXPECT_EQ(app.text(main_window::outputBusyMark), kBusyMark);
    EXPECT_EQ(app.text(main_window::vafBusyMark), kBusyMark);
    EXPECT_FALSE(IsWindowEnabled(app.control(main_window::outputPathBox)));

    app.tick();
    app.tick();
    EXPECT_EQ(app.text(main_window::minutesWaitedLabel), L"1");
    EXPECT_EQ(app.text(main_window::outputBusyMark), kBusyMark);

    // An open About window must not keep the program alive past the end of the wait.
    app.menu(main_window::aboutItem);
    ASSERT_TRUE(pumpUntil([&] { return app.aboutWindow() != nullptr; }));

    EXPECT_EQ(encoder.letGo(), 0u);
    app.tick();
    ASSERT_TRUE(app.process().running());
    EXPECT_EQ(app.text(main_window::outputBusyMark), L"");
    EXPECT_EQ(app.text(main_window::vafBusyMark), L"");
    EXPECT_EQ(app.text(main_window::minutesWaitedLabel), L"2");
    EXPECT_EQ(app.process().descendantsStarted(), 0u);

    app.tick();
    EXPECT_EQ(app.process().exitWithin(kExitTimeoutMs), std::optional<DWORD>(0));
    EXPECT_EQ(app.process().descendantsStarted(), 2u);

    ASSERT_TRUE(pumpUntil([&] { return recorded().size() == 2; }));
    const std::wstring folder = encodes() + L"\\";
    const std::vector<testing::Record> runs = recorded();
    EXPECT_EQ(runs[0].commandLine, quoted(pulldown()) + L" " + output() + L" " + folder +
                                       L"pulled_drop.m2v -prog_frames p -drop_frame true");
    EXPECT_EQ(runs[0].args, (std::vector<std::wstring>{pulldown(), output(), folder + L"pulled_drop.m2v",
                                                       L"-prog_frames", L"p", L"-drop_frame", L"true"}));
    EXPECT_EQ(runs[1].commandLine,
              quoted(pulldown()) + L" " + output() + L" " + folder + L"pulled_nodrop.m2v -prog_frames p");
    EXPECT_EQ(runs[1].args,
              (std::vector<std::wstring>{pulldown(), output(), folder + L"pulled_nodrop.m2v", L"-prog_frames", L"p"}));
    for (const testing::Record& run : runs) EXPECT_EQ(run.show, static_cast<unsigned>(SW_SHOWMINIMIZED));

    // Saved by the close request that the end of the wait raises.
    EXPECT_EQ(storedSetting(L"txtPullPath"), pulldown());
    EXPECT_EQ(storedSetting(L"txtMPath"), output());
    EXPECT_EQ(storedSetting(L"txtMvaf"), vaf());
    EXPECT_EQ(storedSetting(L"chkDrop"), L"1");
    EXPECT_EQ(storedSetting(L"chkNoDrop"), L"1");
}

TEST_F(MorvaneE2eTest, ATickDuringPulldownNowsMessageWaitsForTheBoxAndThenEndsTheWait) {
    testing::EncoderStandIn encoder(output(), vaf());
    Morvane app;
    fillIn(app, BST_CHECKED, BST_UNCHECKED);
    startWaiting(app);
    EXPECT_EQ(encoder.letGo(), 0u);
    app.tick();
    ASSERT_EQ(app.text(main_window::outputBusyMark), L"");

    app.check(main_window::dropFrameCheck, BST_UNCHECKED);
    app.menu(main_window::pulldownNowItem);
    HWND box = nullptr;
    ASSERT_TRUE(pumpUntil([&] { return (box = app.errorBox()) != nullptr; }));
    EXPECT_NE(testing::whatBoxShows(box).text().find(L"Must have at least one Pulldown option checked"),
              std::wstring::npos);

    app.tick();  // the second free tick, inside the box's own message loop
    EXPECT_TRUE(app.process().running());
    EXPECT_TRUE(IsWindow(box));
    EXPECT_EQ(app.text(main_window::minutesWaitedLabel), L"0");

    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(app.process().exitWithin(kExitTimeoutMs), std::optional<DWORD>(0));
    EXPECT_EQ(app.process().descendantsStarted(), 0u);
}

TEST_F(MorvaneE2eTest, ClosingTheWindowDuringTheWaitStartsNothing) {
    testing::EncoderStandIn encoder(output(), vaf());
    Morvane app;
    fillIn(app, BST_CHECKED, BST_CHECKED);
    startWaiting(app);
    EXPECT_EQ(encoder.letGo(), 0u);
    app.tick();

    app.close();
    EXPECT_EQ(app.process().exitWithin(kExitTimeoutMs), std::optional<DWORD>(0));
    EXPECT_EQ(app.process().descendantsStarted(), 0u);
}

}  // namespace
// What Explorer hands over for a file dropped on morvane.exe or sent to it.
TEST_F(MorvaneE2eTest, TheCommandLinePlacesItsFileArmsTheWaitAndRefusesAnUnknownSwitch) {
    const std::wstring named = scratch / L"My Encodes\\movie.m2v";  // not made yet
    {
        Morvane app(quoted(named));
        EXPECT_EQ(app.text(main_window::outputPathBox), named);
        EXPECT_EQ(app.text(main_window::vafPathBox), scratch / L"My Encodes\\movie.vaf");
        fillIn(app, BST_CHECKED, BST_UNCHECKED);
        app.close();
        ASSERT_EQ(app.process().exitWithin(kExitTimeoutMs), std::optional<DWORD>(0));
    }
    testing::EncoderStandIn encoder(output(), vaf());
    {
        Morvane app(L"/Wait");
        EXPECT_TRUE(pumpUntil([&] { return app.text(main_window::startButton) == L"Cancel"; }));
        EXPECT_EQ(app.text(main_window::outputBusyMark), kBusyMark);
        app.close();
    }
    Morvane app(L"-wait /x");
    HWND box = nullptr;
    ASSERT_TRUE(pumpUntil([&] { return (box = app.errorBox()) != nullptr; }));
    EXPECT_NE(testing::whatBoxShows(box).text().find(
                  L"Unknown switch \"/x\".\nStart Morvane as: morvane.exe [/wait] [FILE]..."),
              std::wstring::npos);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(pumpUntil([&] { return !IsWindow(box); }));
    EXPECT_EQ(app.text(main_window::outputPathBox), output());
    EXPECT_EQ(app.text(main_window::startButton), L"Start Waiting");

    Morvane bare(L"tonight.m2v");  // the current folder's, which the program inherits
    wchar_t here[MAX_PATH];
    const std::wstring expected = std::wstring(here, GetCurrentDirectoryW(MAX_PATH, here)) + L"\\tonight.m2v";
    EXPECT_EQ(bare.text(main_window::outputPathBox), expected);
}

}  // namespace morvane
