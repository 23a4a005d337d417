#include <windows.h>

#include <gtest/gtest.h>
#include <shellapi.h>

#include <atomic>
#include <cmath>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "about/about_constants.h"
#include "about/about_window.h"
#include "about/about_window_layout.h"
#include "about_test_support.h"
#include "files_test_support.h"
#include "main_window/main_window.h"
#include "main_window/main_window_layout.h"
#include "memory_system.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_window.h"
#include "real_main_window.h"
#include "win32_test_support.h"

namespace morvane {
namespace {

using namespace platform;
using namespace std::chrono_literals;
using platform::win32::narrow;
using platform::win32::widen;
using platform::win32::Win32Platform;
using platform::win32::Win32Processes;
using platform::win32::Win32Window;
using testing::BoxAnswerer;
using testing::Canvas;
using testing::className;
using testing::CloseAfter;
using testing::MachineValue;
using testing::pumpPending;
using testing::pumpUntil;
using testing::rectInParent;
using testing::windowText;

const std::wstring kUnavailable = L"System Information Is Unavailable At This Time";

// The real About window on the real desktop; its links are recorded
// instead of reaching a browser or a mail program.
class AboutWindowTest : public ::testing::Test {
protected:
    void SetUp() override { about.show(); }
    void TearDown() override {
        if (about.isOpen()) DestroyWindow(hwnd());
        pumpPending();
    }

    Win32Window& window() { return dynamic_cast<Win32Window&>(about.window()); }
    HWND hwnd() { return window().hwnd(); }
    HWND control(ControlId id) { return window().controlHwnd(id); }
    int px(int twips) { return toPixels(Twips(twips), window().dpi()); }

    // Runs the program's own message loop (the one that hands keys to the
    // dialog manager) until the About window, its last window, is gone.
    bool runUntilClosed() {
        CloseAfter failSafe(hwnd(), 10s);
        desktop.ui.run();
        failSafe.finish();
        return !failSafe.fired() && !about.isOpen();
    }

    Win32Platform desktop{GetModuleHandleW(nullptr)};
    testing::MemoryFileSystem noFiles;
    testing::MemoryProcesses shell{noFiles};
    Platform platform{desktop.ui, desktop.files, shell, desktop.registry, desktop.platform.identity};
    about::AboutWindow about{platform};
};

TEST_F(AboutWindowTest, EveryControlHasItsClassFontAndPixelRectangle) {
    const int dpi = window().dpi();
    EXPECT_EQ(dpi, testing::expectedDpi());
    for (const ControlSpec& c : about::layout().controls) {
        SCOPED_TRACE(c.id.value);
        HWND h = control(c.id);
        ASSERT_NE(h, nullptr);
        EXPECT_EQ(_wcsicmp(className(h).c_str(), c.kind == ControlKind::CommandButton ? L"Button" : L"Static"), 0);
        EXPECT_EQ(GetParent(h), hwnd());
        EXPECT_EQ(GetDlgCtrlID(h), c.id.value);

        const RECT r = rectInParent(h);
        EXPECT_EQ(r.left, toPixels(c.rect.left, dpi));
        EXPECT_EQ(r.top, toPixels(c.rect.top, dpi));
        EXPECT_EQ(r.right - r.left, toPixels(c.rect.width, dpi));
        EXPECT_EQ(r.bottom - r.top, toPixels(c.rect.height, dpi));

        const bool link = c.id == about::emailLink || c.id == about::downloadLink;
        LOGFONTW lf{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(h, WM_GETFONT, 0, 0)), sizeof lf, &lf);
        EXPECT_STREQ(lf.lfFaceName, L"MS Sans Serif");
        EXPECT_EQ(lf.lfHeight, -std::lround((link ? 7.8 : 8.25) * dpi / 72.0));
        EXPECT_EQ(lf.lfWeight, FW_NORMAL);
        EXPECT_EQ(lf.lfUnderline != 0, link);
    }
    // The picture box is sunken; only the two buttons take the focus.
    EXPECT_TRUE(GetWindowLongW(control(about::iconPicture), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    for (const ControlSpec& c : about::layout().controls)
        EXPECT_EQ((GetWindowLongW(control(c.id), GWL_STYLE) & WS_TABSTOP) != 0, c.kind == ControlKind::CommandButton)
            << c.id.value;
    EXPECT_EQ(GetWindowLongW(control(about::okButton), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
}

TEST_F(AboutWindowTest, EveryControlsCaptionFitsInTheFontItReallyGot) {
    for (const ControlSpec& c : about::layout().controls)
        for (const auto& [what, needs, room] : testing::captionRooms(control(c.id), window().dpi()))
            EXPECT_LE(needs, room) << c.id.value << " " << testing::utf8(what);
}

TEST_F(AboutWindowTest, TextsAfterTheLoad) {
    const std::map<ControlId, std::wstring> texts{
        {about::titleLabel, L"Morvane"},
        {about::versionLabel, L"Version " + testing::kVersion},
        {about::descriptionLabel,
         L"This program is a simple tool\r\nthat will run pulldown.exe for\r\nyou when CCE encoding "
         L"completes.\r\nThat 's it.\r\n"},
        {about::creditsLabel, L"Author: Kestrine\r\nEmail:\r\n"},
        {about::emailLink, widen(about::kEmailAddress)},
        {about::downloadLink, widen(about::kDownloadAddress)},
        {about::okButton, L"OK"},
        {about::systemInfoButton, L"&System Info..."},
    };
    for (const auto& [id, text] : texts) EXPECT_EQ(windowText(control(id)), text) << id.value;
    EXPECT_EQ(windowText(hwnd()), L"About Morvane");
}

TEST_F(AboutWindowTest, FixedDialogWithACloseBoxOnlyKeptOutOfTheTaskBar) {
    const LONG style = GetWindowLongW(hwnd(), GWL_STYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(GetWindowLongW(hwnd(), GWL_EXSTYLE) & WS_EX_APPWINDOW);
    // Owned windows have no task bar button; the owner is never shown.
    const HWND owner = GetWindow(hwnd(), GW_OWNER);
    EXPECT_EQ(owner, desktop.ui.hiddenOwner());
    EXPECT_FALSE(IsWindowVisible(owner));
    EXPECT_TRUE(IsWindowVisible(hwnd()));

    RECT client{};
    GetClientRect(hwnd(), &client);
    EXPECT_EQ(client.right, px(7056));
    EXPECT_EQ(client.bottom, px(4404));

    RECT r{};
    GetWindowRect(hwnd(), &r);
    EXPECT_NEAR(r.left, (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2.0, 1.0);
    EXPECT_NEAR(r.top, (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2.0, 1.0);
}

// The colour a label's text is drawn in, as the window hands it out.
COLORREF textColourOf(HWND window, HWND label) {
    HDC dc = CreateCompatibleDC(nullptr);
    SetTextColor(dc, RGB(1, 2, 3));
    SendMessageW(window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label));
    const COLORREF colour = GetTextColor(dc);
    DeleteDC(dc);
    return colour;
}

TEST_F(AboutWindowTest, LinksAreBlueAndTheTitleDescriptionAndAuthorBlack) {
    EXPECT_EQ(textColourOf(hwnd(), control(about::emailLink)), RGB(0, 0, 255));
    EXPECT_EQ(textColourOf(hwnd(), control(about::downloadLink)), RGB(0, 0, 255));
    for (ControlId id : {about::titleLabel, about::descriptionLabel, about::creditsLabel})
        EXPECT_EQ(textColourOf(hwnd(), control(id)), RGB(0, 0, 0)) << id.value;
}

TEST_F(AboutWindowTest, EtchedSeparatorIsAGreyRowAboveTwoWhiteRows) {
    RECT client{};
    GetClientRect(hwnd(), &client);
    Canvas canvas(client.right, client.bottom);
    SendMessageW(hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);

    const int grey = px(3292);
    const int white = px(3307);
    ASSERT_EQ(white, grey + 1);  // the etched look needs them touching
    const int middle = client.right / 2;
    EXPECT_EQ(canvas.at(middle, grey - 1), Canvas::kUnpainted);
    EXPECT_EQ(canvas.at(middle, grey), 0x808080u);
    EXPECT_EQ(canvas.at(middle, white), 0xFFFFFFu);
    EXPECT_EQ(canvas.at(middle, white + 1), 0xFFFFFFu);
    EXPECT_EQ(canvas.at(middle, white + 2), Canvas::kUnpainted);

    // Each runs from its own left end to the shared right end.
    EXPECT_EQ(canvas.at(px(90) - 1, grey), Canvas::kUnpainted);
    EXPECT_EQ(canvas.at(px(90), grey), 0x808080u);
    EXPECT_EQ(canvas.at(px(105) - 1, white), Canvas::kUnpainted);
    EXPECT_EQ(canvas.at(px(105), white), 0xFFFFFFu);
    EXPECT_EQ(canvas.at(px(6846) - 1, grey), 0x808080u);
    EXPECT_EQ(canvas.at(px(6846) - 1, white), 0xFFFFFFu);
    EXPECT_EQ(canvas.at(px(6846), grey), Canvas::kUnpainted);
}

TEST_F(AboutWindowTest, PictureBoxShowsTheProgramsIcon) {
    HWND pic = control(about::iconPicture);
    RECT inside{};
    GetClientRect(pic, &inside);
    Canvas canvas(inside.right, inside.bottom);
    SendMessageW(pic, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
    std::map<std::uint32_t, int> colours;
    for (int y = 0; y < inside.bottom; ++y)
        for (int x = 0; x < inside.right; ++x) ++colours[canvas.at(x, y)];
    EXPECT_EQ(colours.count(Canvas::kUnpainted), 0u);
    EXPECT_GE(colours.size(), 4u);  // a picture, not a plain fill
}

TEST_F(AboutWindowTest, EmailLinkLiesAboveTheDisclaimerAndTakesItsClicks) {
    const RECT email = rectInParent(control(about::emailLink));
    const RECT disclaimer = rectInParent(control(about::creditsLabel));
    RECT overlap{};
    ASSERT_TRUE(IntersectRect(&overlap, &email, &disclaimer));
    const POINT inside{(overlap.left + overlap.right) / 2, (overlap.top + overlap.bottom) / 2};
    EXPECT_EQ(ChildWindowFromPointEx(hwnd(), inside, CWP_SKIPINVISIBLE), control(about::emailLink));

    // "Email:" itself stays visible to the left of the link.
    const POINT label{disclaimer.left + 2, email.top + 2};
    EXPECT_EQ(ChildWindowFromPointEx(hwnd(), label, CWP_SKIPINVISIBLE), control(about::creditsLabel));

    HWND below = control(about::emailLink);
    while (below && below != control(about::creditsLabel)) below = GetWindow(below, GW_HWNDNEXT);
    EXPECT_EQ(below, control(about::creditsLabel)) << "the disclaimer lies below the link";
}

// A click as the mouse makes it, at a point of the About window's client area.
void clickAt(HWND window, POINT at) {
    HWND target = ChildWindowFromPointEx(window, at, CWP_SKIPINVISIBLE);
    MapWindowPoints(window, target, &at, 1);
    SendMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    SendMessageW(target, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

TEST_F(AboutWindowTest, AClickAnywhereInALinksBoxOpensItOnce) {
    const RECT download = rectInParent(control(about::downloadLink));
    const RECT email = rectInParent(control(about::emailLink));
    // Well right of either text, and over the disclaimer's box.
    clickAt(hwnd(), {download.right - 2, download.bottom - 2});
    clickAt(hwnd(), {email.right - 2, (email.top + email.bottom) / 2});
    EXPECT_EQ(shell.shellOpened, (std::vector<std::string>{std::string(about::kDownloadAddress),
                                                           "mailto:" + std::string(about::kEmailAddress)}));
    EXPECT_TRUE(about.isOpen());
}

TEST_F(AboutWindowTest, PointerIsAHandOverTheWholeBoxOfEachLinkOnly) {
    const HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);
    for (ControlId id : {about::emailLink, about::downloadLink}) {
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
        EXPECT_TRUE(SendMessageW(hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(control(id)),
                                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
        EXPECT_EQ(GetCursor(), hand) << id.value;
        // The label answers hit tests over its whole box, not just its text.
        const RECT box = rectInParent(control(id));
        POINT corner{box.right - 1, box.bottom - 1};
        ClientToScreen(hwnd(), &corner);
        EXPECT_EQ(SendMessageW(control(id), WM_NCHITTEST, 0, MAKELPARAM(corner.x, corner.y)), HTCLIENT);
    }
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    SendMessageW(hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(control(about::creditsLabel)),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_NE(GetCursor(), hand);
}

TEST_F(AboutWindowTest, FocusStartsOnOkAndEnterCloses) {
    EXPECT_EQ(GetFocus(), control(about::okButton));
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_RETURN, 0x001C0001);
    EXPECT_TRUE(runUntilClosed());
    EXPECT_TRUE(shell.attempts.empty());
}

TEST_F(AboutWindowTest, EscClosesFromTheOtherButton) {
    SetFocus(control(about::systemInfoButton));
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    EXPECT_TRUE(runUntilClosed());
}

TEST_F(AboutWindowTest, CloseBoxCloses) {
    PostMessageW(hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(runUntilClosed());
}

// Without the rights to remove the viewer's values, the real viewer would start.
TEST_F(AboutWindowTest, AltSPressesSystemInfoWhichSaysItIsUnavailableWhenNeitherValueExists) {
    if (!testing::canWriteMachineKeys()) GTEST_SKIP() << testing::kNeedsMachineRights;
    MachineValue path(L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", L"PATH");
    MachineValue folder(L"SOFTWARE\\Microsoft\\Shared Tools Location", L"MSINFO");
    path.remove();
    folder.remove();

    const HWND window = hwnd();
    const HWND ok = control(about::okButton);
    BoxAnswerer answerer(L"Morvane");
    PostMessageW(GetFocus(), WM_SYSCHAR, 's', 0x20000001);
    // Once the box has been answered, OK closes the window and ends the loop.
    std::thread closer([&] {
        for (int i = 0; i < 500 && answerer.seen().empty(); ++i) std::this_thread::sleep_for(10ms);
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(about::okButton.value, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
    });
    const bool closed = runUntilClosed();
    closer.join();
    EXPECT_TRUE(closed);

    const std::vector<testing::SeenBox> seen = answerer.seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].texts, std::vector<std::wstring>{kUnavailable});
    EXPECT_EQ(seen[0].owner, window);
    EXPECT_EQ(seen[0].buttons, 1);
    EXPECT_FALSE(seen[0].icon);
    EXPECT_TRUE(shell.attempts.empty());
}

// The About window beside the main window, as the program builds them; the
// settings the main window saves on closing stay in memory.
class AboutBesideMainTest : public ::testing::Test {
protected:
    void SetUp() override {
        pumpPending();
        mainWindow.show();
    }
    void TearDown() override {
        for (HWND h : {aboutHwnd(), mainHwnd()})
            if (h) DestroyWindow(h);
        pumpPending();
    }

    Win32Window& main() { return *ui.mainWindow; }
    HWND mainHwnd() { return main().isOpen() ? main().hwnd() : nullptr; }
    HWND aboutHwnd() { return about.isOpen() ? dynamic_cast<Win32Window&>(about.window()).hwnd() : nullptr; }
    HWND aboutControl(ControlId id) { return dynamic_cast<Win32Window&>(about.window()).controlHwnd(id); }
    void menu(ControlId id) { SendMessageW(mainHwnd(), WM_COMMAND, MAKEWPARAM(id.value, 0), 0); }

    // Top-level windows of this process captioned "About Morvane".
    static int aboutWindows() {
        int count = 0;
        EnumWindows(
            [](HWND h, LPARAM lp) -> BOOL {
                DWORD process = 0;
                GetWindowThreadProcessId(h, &process);
                if (process == GetCurrentProcessId() && windowText(h) == L"About Morvane")
                    ++*reinterpret_cast<int*>(lp);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&count));
        return count;
    }

    // Runs the program's message loop until it ends by itself; false if the
    // fail-safe had to close the About window to end it.
    bool runProgram() {
        CloseAfter failSafe(aboutHwnd(), 10s);
        desktop.ui.run();
        failSafe.finish();
        return !failSafe.fired();
    }

    Win32Platform desktop{GetModuleHandleW(nullptr)};
    testing::MemoryRegistry settings;
    testing::KeepingUi ui{desktop.ui};
    Platform platform{ui, desktop.files, desktop.processes, settings, desktop.platform.identity};
    about::AboutWindow about{platform};
    main_window::MainWindow mainWindow{platform, about};
};

TEST_F(AboutBesideMainTest, HelpAboutAgainShowsTheSameWindowAndAfterClosingLoadsAfresh) {
    menu(main_window::aboutItem);
    ASSERT_TRUE(about.isOpen());
    const HWND first = aboutHwnd();
    EXPECT_EQ(aboutWindows(), 1);
    EXPECT_TRUE(IsWindowVisible(first));
    // Modeless: the main window stays usable.
    EXPECT_TRUE(IsWindowEnabled(mainHwnd()));
    EXPECT_EQ(GetWindow(first, GW_OWNER), desktop.ui.hiddenOwner());

    SetWindowTextW(aboutControl(about::titleLabel), L"touched");
    SetWindowPos(first, nullptr, 3, 4, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    menu(main_window::aboutItem);
    EXPECT_EQ(aboutHwnd(), first);
    EXPECT_EQ(aboutWindows(), 1);
    EXPECT_EQ(windowText(aboutControl(about::titleLabel)), L"touched");
    RECT r{};
    GetWindowRect(first, &r);
    EXPECT_EQ(r.left, 3);
    EXPECT_EQ(r.top, 4);

    SendMessageW(first, WM_CLOSE, 0, 0);
    EXPECT_FALSE(about.isOpen());
    EXPECT_EQ(aboutWindows(), 0);
    EXPECT_TRUE(main().isOpen());

    menu(main_window::aboutItem);
    ASSERT_TRUE(about.isOpen());
    EXPECT_EQ(aboutWindows(), 1);
    EXPECT_EQ(windowText(aboutControl(about::titleLabel)), L"Morvane");
    GetWindowRect(aboutHwnd(), &r);
    EXPECT_NEAR(r.left, (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2.0, 1.0);
    EXPECT_NEAR(r.top, (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2.0, 1.0);
}

TEST_F(AboutBesideMainTest, OnlyTheMainWindowCarriesTheProgramsIcon) {
    menu(main_window::aboutItem);
    ASSERT_TRUE(about.isOpen());
    // A fixed dialog shows no icon in its title bar, not even its class's.
    EXPECT_EQ(SendMessageW(aboutHwnd(), WM_GETICON, ICON_SMALL, 0), 0);
    EXPECT_EQ(SendMessageW(aboutHwnd(), WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_EQ(GetClassLongPtrW(aboutHwnd(), GCLP_HICONSM), 0u);
    EXPECT_EQ(GetClassLongPtrW(aboutHwnd(), GCLP_HICON), 0u);
    EXPECT_NE(SendMessageW(mainHwnd(), WM_GETICON, ICON_SMALL, 0), 0);
    EXPECT_NE(SendMessageW(mainHwnd(), WM_GETICON, ICON_BIG, 0), 0);
}

TEST_F(AboutBesideMainTest, ClosingTheMainWindowLeavesTheProgramRunningUntilAboutCloses) {
    menu(main_window::aboutItem);
    ASSERT_TRUE(about.isOpen());
    // Both closes wait in the queue; the loop must outlive the first.
    PostMessageW(mainHwnd(), WM_CLOSE, 0, 0);
    PostMessageW(aboutHwnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(runProgram());
    EXPECT_FALSE(main().isOpen());
    EXPECT_FALSE(about.isOpen());
    EXPECT_FALSE(desktop.ui.gate().ended());
}

TEST_F(AboutBesideMainTest, FileExitEndsTheProgramWithTheAboutWindowOpen) {
    menu(main_window::aboutItem);
    ASSERT_TRUE(about.isOpen());
    const HWND aboutWindow = aboutHwnd();
    PostMessageW(mainHwnd(), WM_COMMAND, MAKEWPARAM(main_window::exitItem.value, 0), 0);
    EXPECT_TRUE(runProgram());
    EXPECT_FALSE(main().isOpen());
    EXPECT_TRUE(desktop.ui.gate().ended());
    // Nothing of the About window runs any more.
    SendMessageW(aboutWindow, WM_COMMAND, MAKEWPARAM(about::systemInfoButton.value, BN_CLICKED),
                 reinterpret_cast<LPARAM>(aboutControl(about::systemInfoButton)));
    EXPECT_TRUE(desktop.ui.gate().ended());
}

// A box holds the whole program until it is answered: nothing in the other
// window can run meanwhile, File > Exit included.
TEST_F(AboutBesideMainTest, AMessageBoxHoldsEveryWindowOfTheProgramUntilAnswered) {
    if (!testing::canWriteMachineKeys()) GTEST_SKIP() << testing::kNeedsMachineRights;
    MachineValue path(L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", L"PATH");
    MachineValue folder(L"SOFTWARE\\Microsoft\\Shared Tools Location", L"MSINFO");
    path.remove();
    folder.remove();
    menu(main_window::aboutItem);
    ASSERT_TRUE(about.isOpen());

    std::atomic<bool> otherEnabled{true};
    {
        testing::BoxAnswerer watcher(L"Morvane", [&](HWND box) {
            otherEnabled = IsWindowEnabled(mainHwnd()) != FALSE;
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        });
        SendMessageW(aboutHwnd(), WM_COMMAND, MAKEWPARAM(about::systemInfoButton.value, BN_CLICKED),
                     reinterpret_cast<LPARAM>(aboutControl(about::systemInfoButton)));
        EXPECT_EQ(watcher.seen().size(), 1u);
    }
    EXPECT_FALSE(otherEnabled) << "the main window took input during the About window's box";

    main().control(main_window::dropFrameCheck).setCheckState(CheckState::Clear);
    main().control(main_window::noOptionsCheck).setCheckState(CheckState::Clear);
    otherEnabled = true;
    {
        testing::BoxAnswerer watcher(L"Error", [&](HWND box) {
            otherEnabled = IsWindowEnabled(aboutHwnd()) != FALSE;
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        });
        menu(main_window::pulldownNowItem);
        EXPECT_EQ(watcher.seen().size(), 1u);
    }
    EXPECT_FALSE(otherEnabled) << "the About window took input during the main window's box";

    EXPECT_TRUE(IsWindowEnabled(mainHwnd()));
    EXPECT_TRUE(IsWindowEnabled(aboutHwnd()));
}

// The real shell open, on targets that need no browser or mail program.
TEST(ShellOpenTest, OpensTheTargetWithNothingAddedInANormalWindow) {
    const std::wstring standIn = testing::folderOfThisProgram() + L"morvane_msinfo_standin.exe";
    const std::wstring target = testing::folderOfThisProgram() + L"shell_open_target.exe";
    ASSERT_TRUE(CopyFileW(standIn.c_str(), target.c_str(), FALSE));
    testing::forgetStart(target);

    Win32Processes().shellOpen(nullptr, narrow(target));
    std::optional<testing::StandInStart> start;
    EXPECT_TRUE(pumpUntil([&] { return (start = testing::readStart(target)).has_value(); }));
    if (start) {
        EXPECT_EQ(start->show, SW_SHOWNORMAL);
        int count = 0;
        LPWSTR* args = CommandLineToArgvW(start->commandLine.c_str(), &count);
        ASSERT_NE(args, nullptr);
        EXPECT_EQ(count, 1);
        EXPECT_EQ(_wcsicmp(args[0], target.c_str()), 0) << args[0];
        LocalFree(args);
    }
    testing::forgetStart(target);
    DeleteFileW(target.c_str());
}

TEST(ShellOpenTest, ATargetNothingCanOpenShowsNothing) {
    const std::string missing = narrow(testing::folderOfThisProgram() + L"no_such_folder\\nothing.morvane");
    std::atomic<bool> done{false};
    std::thread opener([&] {
        Win32Processes().shellOpen(nullptr, missing);
        done = true;
    });
    // Any box the shell shows instead is noted and closed, so the call returns.
    std::vector<std::wstring> boxes;
    const bool returned = pumpUntil([&] {
        EnumWindows(
            [](HWND h, LPARAM lp) -> BOOL {
                DWORD process = 0;
                GetWindowThreadProcessId(h, &process);
                if (process == GetCurrentProcessId() && IsWindowVisible(h) && className(h) == L"#32770") {
                    reinterpret_cast<std::vector<std::wstring>*>(lp)->push_back(windowText(h));
                    PostMessageW(h, WM_CLOSE, 0, 0);
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&boxes));
        return done.load();
    });
    opener.join();
    EXPECT_TRUE(returned);
    EXPECT_TRUE(boxes.empty()) << narrow(boxes.front());
}

}  // namespace
}  // namespace morvane
