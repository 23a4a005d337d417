#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <cmath>
#include <map>
#include <memory>
#include <stdexcept>
#include <vector>

#include "about/about_window.h"
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
using platform::win32::widen;
using platform::win32::Win32Platform;
using platform::win32::Win32Window;
using testing::className;
using testing::pumpPending;
using testing::pumpUntil;
using testing::rectInParent;
using testing::windowText;

// The real program, built as its entry builds it, except that its settings
// live in memory: what another test stored must not change what this one sees.
class MainWindowTest : public ::testing::Test {
protected:
    void TearDown() override {
        if (window().isOpen()) DestroyWindow(hwnd());
    }

    Win32Window& window() { return real.window(); }
    HWND hwnd() { return real.main(); }
    HWND control(ControlId id) { return real.hwnd(id); }

    testing::MemoryRegistry settings;
    testing::RealMainWindow real{&settings};
    Win32Platform& desktop = real.desktop;
};

const wchar_t* expectedClass(ControlKind kind) {
    switch (kind) {
        case ControlKind::TextBox:
            return L"Edit";
        case ControlKind::CommandButton:
        case ControlKind::Frame:
        case ControlKind::CheckBox:
            return L"Button";
        default:
            return L"Static";
    }
}

TEST_F(MainWindowTest, EveryControlHasItsClassParentTextStateAndPixelRectangle) {
    const int dpi = window().dpi();
    for (const ControlSpec& c : main_window::layout().controls) {
        SCOPED_TRACE(c.id.value);
        HWND h = control(c.id);
        ASSERT_NE(h, nullptr);
        EXPECT_EQ(_wcsicmp(className(h).c_str(), expectedClass(c.kind)), 0);
        EXPECT_EQ(GetParent(h), c.container == kNoControl ? hwnd() : control(c.container));
        EXPECT_EQ(GetDlgCtrlID(h), c.id.value);
        EXPECT_EQ(IsWindowEnabled(h) != FALSE, c.enabled);

        const RECT r = rectInParent(h);
        EXPECT_EQ(r.left, toPixels(c.rect.left, dpi));
        EXPECT_EQ(r.top, toPixels(c.rect.top, dpi));
        EXPECT_EQ(r.right - r.left, toPixels(c.rect.width, dpi));
        EXPECT_EQ(r.bottom - r.top, toPixels(c.rect.height, dpi));

        LOGFONTW lf{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(h, WM_GETFONT, 0, 0)), sizeof lf, &lf);
        const FontSpec font = c.font ? *c.font : main_window::layout().font;
        EXPECT_EQ(std::wstring(lf.lfFaceName), widen(font.face));
        EXPECT_EQ(lf.lfHeight, -std::lround(font.points * dpi / 72.0));
        EXPECT_EQ(lf.lfWeight, FW_NORMAL);
        EXPECT_FALSE(lf.lfItalic || lf.lfUnderline || lf.lfStrikeOut);
        EXPECT_EQ(lf.lfCharSet, font.charset == FontCharset::Symbol ? SYMBOL_CHARSET : DEFAULT_CHARSET);
    }
}

TEST_F(MainWindowTest, EveryControlsCaptionFitsInTheFontItReallyGot) {
    for (const ControlSpec& c : main_window::layout().controls)
        for (const auto& [what, needs, room] : testing::captionRooms(control(c.id), window().dpi()))
            EXPECT_LE(needs, room) << c.id.value << " " << testing::utf8(what);
}

TEST_F(MainWindowTest, TextsAfterTheLoad) {
    // clang-format off
    const std::map<ControlId, std::wstring> texts{
        {main_window::pulldownPathLabel, L"Path to pulldown.exe:"},   {main_window::outputPathLabel, L"Path to CCE output file:"},
        {main_window::vafPathLabel, L"VAF file (if applicable):"}, {main_window::browsePulldownButton, L"."},
        {main_window::browseOutputButton, L"."},                       {main_window::runsFrame, L"When CCE Completes..."},
        {main_window::minutesWaitedFrame, L"Minutes Waited"},            {main_window::minutesWaitedLabel, L"0"},
        {main_window::statusLabel, L"Make sure CCE is running and..."}, {main_window::startButton, L"Start Waiting"},
        {main_window::outputBusyMark, L""},                            {main_window::vafBusyMark, L""},
        {main_window::dropFrameCheck, L"Run Pulldown with Drop Frame (pulled_drop.m2v)"},
        {main_window::noOptionsCheck, L"Run Pulldown with no options (pulled_nodrop.m2v)"},
    };
    // clang-format on
    for (const auto& [id, text] : texts) EXPECT_EQ(windowText(control(id)), text) << id.value;
    EXPECT_EQ(windowText(hwnd()), testing::kMainCaption);
}

// The suite runs again in a prefix set to another resolution, and at both
// without the per-monitor functions; the geometry tests above then hold there.
TEST_F(MainWindowTest, LaidOutAtTheResolutionThePrefixSets) {
    EXPECT_EQ(window().dpi(), testing::expectedDpi());
    const bool systemHasIt = GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow") != nullptr;
    EXPECT_EQ(platform::win32::perMonitorDpi().dpiForWindow == nullptr, testing::kWithoutPerMonitorDpi || !systemHasIt);
}

TEST_F(MainWindowTest, WindowIsASizableFrameWithTheClientAreaBelowTheMenu) {
    const LONG style = GetWindowLongW(hwnd(), GWL_STYLE);
    EXPECT_TRUE(style & WS_THICKFRAME);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_TRUE(style & WS_MAXIMIZEBOX);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_EQ(GetWindow(hwnd(), GW_OWNER), nullptr);
    EXPECT_TRUE(IsWindowVisible(hwnd()));

    RECT client{};
    GetClientRect(hwnd(), &client);
    EXPECT_EQ(client.right, toPixels(Twips(7764), window().dpi()));
    EXPECT_EQ(client.bottom, toPixels(Twips(3876), window().dpi()));
}

TEST_F(MainWindowTest, CentredOnTheScreen) {
    RECT r{};
    GetWindowRect(hwnd(), &r);
    const int screenW = GetSystemMetrics(SM_CXSCREEN);
    const int screenH = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_NEAR(r.left, (screenW - (r.right - r.left)) / 2.0, 1.0);
    EXPECT_NEAR(r.top, (screenH - (r.bottom - r.top)) / 2.0, 1.0);
}

TEST_F(MainWindowTest, ResizingMovesNoControl) {
    const RECT before = rectInParent(control(main_window::startButton));
    SetWindowPos(hwnd(), nullptr, 0, 0, 900, 700, SWP_NOMOVE | SWP_NOZORDER);
    const RECT after = rectInParent(control(main_window::startButton));
    EXPECT_TRUE(EqualRect(&before, &after));
}

TEST_F(MainWindowTest, TabOrderAndFirstFocus) {
    EXPECT_EQ(GetFocus(), control(main_window::pulldownPathBox));
    const std::vector<ControlId> order{main_window::pulldownPathBox,    main_window::browsePulldownButton,
                                       main_window::startButton,        main_window::outputPathBox,
                                       main_window::browseOutputButton, main_window::dropFrameCheck,
                                       main_window::noOptionsCheck,     main_window::pulldownPathBox};
    for (std::size_t i = 0; i + 1 < order.size(); ++i)
        EXPECT_EQ(GetNextDlgTabItem(hwnd(), control(order[i]), FALSE), control(order[i + 1])) << i;
}

TEST_F(MainWindowTest, OnlyTheOptionBoxesHaveToolTips) {
    HWND tips = window().toolTips();
    ASSERT_NE(tips, nullptr);
    EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 2);
    const std::map<ControlId, std::wstring> expected{
        {main_window::dropFrameCheck, L"For Importing subtitles in MAESTRO"},
        {main_window::noOptionsCheck, L"For Importing Chapters in MAESTRO"}};
    for (const auto& [id, text] : expected) {
        wchar_t buffer[128] = {};
        TOOLINFOW info{};
        info.cbSize = sizeof info;
        info.hwnd = hwnd();
        info.uId = reinterpret_cast<UINT_PTR>(control(id));
        info.lpszText = buffer;
        SendMessageW(tips, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&info));
        EXPECT_EQ(std::wstring(buffer), text);
    }
}

TEST_F(MainWindowTest, MenuBarHoldsFileAndHelpWithoutShortcutsOrSeparators) {
    HMENU bar = GetMenu(hwnd());
    ASSERT_NE(bar, nullptr);
    struct Item {
        int top;
        int index;
        const wchar_t* text;
        ControlId id;
    };
    const Item items[] = {{0, 0, L"Pulldown Now", main_window::pulldownNowItem},
                          {0, 1, L"Exit", main_window::exitItem},
                          {1, 0, L"About", main_window::aboutItem}};
    ASSERT_EQ(GetMenuItemCount(bar), 2);
    wchar_t name[64];
    GetMenuStringW(bar, 0, name, 64, MF_BYPOSITION);
    EXPECT_STREQ(name, L"File");
    GetMenuStringW(bar, 1, name, 64, MF_BYPOSITION);
    EXPECT_STREQ(name, L"Help");
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 0)), 2);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 1)), 1);
    for (const Item& item : items) {
        HMENU popup = GetSubMenu(bar, item.top);
        GetMenuStringW(popup, static_cast<UINT>(item.index), name, 64, MF_BYPOSITION);
        EXPECT_STREQ(name, item.text);
        EXPECT_EQ(static_cast<int>(GetMenuItemID(popup, item.index)), item.id.value);
        const UINT state = GetMenuState(popup, static_cast<UINT>(item.index), MF_BYPOSITION);
        EXPECT_EQ(state & (MF_SEPARATOR | MF_GRAYED | MF_DISABLED | MF_CHECKED), 0u);
    }
}

TEST_F(MainWindowTest, OptionBoxesStartTickedAndClearAndToggleOnClick) {
    EXPECT_EQ(SendMessageW(control(main_window::dropFrameCheck), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(control(main_window::noOptionsCheck), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    SendMessageW(control(main_window::noOptionsCheck), BM_CLICK, 0, 0);
    EXPECT_EQ(window().control(main_window::noOptionsCheck).checkState(), CheckState::Ticked);
    window().control(main_window::dropFrameCheck).setCheckState(CheckState::Greyed);
    EXPECT_EQ(SendMessageW(control(main_window::dropFrameCheck), BM_GETCHECK, 0, 0), BST_INDETERMINATE);
}

TEST_F(MainWindowTest, TimerArmedAtThirtySeconds) {
    EXPECT_TRUE(window().timer().enabled());
    EXPECT_EQ(window().timer().intervalMs(), 30000u);
}

// A drop as the shell makes one, sent from inside this process as Explorer's would arrive.
void dropOn(HWND window, const std::vector<std::wstring>& paths) {
    std::wstring list;
    for (const std::wstring& path : paths) list += path + L'\0';
    list += L'\0';
    const HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::copy(list.begin(), list.end(), reinterpret_cast<wchar_t*>(drop + 1));
    GlobalUnlock(memory);
    SendMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
}

TEST_F(MainWindowTest, DroppedFilesLandInTheirBoxesWholeButNotWhileTheWaitIsArmed) {
    const testing::ScratchFolder scratch(L"morvane-drop");
    const std::wstring output = scratch / (L"Vid\u00e9os \u6620\u753b " + std::wstring(180, L'x') + L".m2v");
    const std::wstring tool = testing::folderOfThisProgram() + L"morvane_window_tests.exe";
    testing::writeFile(output, "");
    EXPECT_TRUE(GetWindowLongW(hwnd(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    dropOn(hwnd(), {output, tool});
    EXPECT_EQ(windowText(control(main_window::outputPathBox)), output);
    EXPECT_EQ(windowText(control(main_window::pulldownPathBox)), tool);
    EXPECT_EQ(windowText(control(main_window::vafPathBox)), output.substr(0, output.size() - 3) + L"vaf");

    // Held open as the encoder holds it, the output file arms the wait.
    const platform::win32::UniqueKernelHandle held(
        CreateFileW(output.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    SendMessageW(control(main_window::startButton), BM_CLICK, 0, 0);
    ASSERT_EQ(windowText(control(main_window::startButton)), L"Cancel");
    EXPECT_FALSE(GetWindowLongW(hwnd(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    dropOn(hwnd(), {scratch / L"other.m2v"});
    EXPECT_EQ(windowText(control(main_window::outputPathBox)), output);
}

TEST_F(MainWindowTest, ExitEndsTheProgram) {
    PostMessageW(hwnd(), WM_COMMAND, MAKEWPARAM(main_window::exitItem.value, 0), 0);
    EXPECT_EQ(desktop.ui.run(), 0);
    EXPECT_FALSE(window().isOpen());
    EXPECT_TRUE(desktop.ui.gate().ended());
}

TEST_F(MainWindowTest, CloseBoxEndsTheProgramWithItsLastWindow) {
    PostMessageW(hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(desktop.ui.run(), 0);
    EXPECT_FALSE(window().isOpen());
    EXPECT_FALSE(desktop.ui.gate().ended());
}

// The platform layer on its own, with a small window of its own.
struct Recorder final : WindowEvents {
    int loads = 0;
    int closes = 0;
    int ticks = 0;
    std::vector<ControlId> changes;
    std::vector<ControlId> clicks;
    bool clicksFail = false;
    void onLoad() override { ++loads; }
    void onCloseRequest() override { ++closes; }
    void onClick(ControlId id) override {
        clicks.push_back(id);
        if (clicksFail) throw std::runtime_error("the click's own failure");
    }
    void onTextChange(ControlId id) override { changes.push_back(id); }
    void onTimer() override { ++ticks; }
    void onShown() override {}
    void onFilesDropped(const std::vector<std::string>& /*paths*/) override {}
};

constexpr ControlId kBox{1001};
constexpr ControlId kButton{1002};
// clang-format off
constexpr ControlSpec kProbeControls[] = {
    {.id = kBox, .kind = ControlKind::TextBox, .rect = {Twips(0), Twips(0), Twips(1500), Twips(300)}},
    {.id = kButton, .kind = ControlKind::CommandButton, .text = "Go",
     .rect = {Twips(0), Twips(400), Twips(1500), Twips(300)}, .tabIndex = 1},
};
// clang-format on
constexpr WindowSpec kProbeWindow{.name = "Probe",
                                  .caption = "Probe",
                                  .client = {Twips(3000), Twips(1500)},
                                  .font = {.face = "MS Sans Serif", .points = 8.25},
                                  .controls = kProbeControls,
                                  .timer = TimerSpec{.enabled = true, .intervalMs = 50}};

TEST(Win32WindowTest, TextChangeFiresForTheProgramsOwnChangesButNotForTheSameText) {
    platform::win32::Win32Ui ui(GetModuleHandleW(nullptr));
    Recorder events;
    auto window = ui.createWindow(kProbeWindow, events);
    window->show();
    EXPECT_EQ(events.loads, 1);
    window->control(kBox).setText("D:\\enc\\film.m2v");
    window->control(kBox).setText("D:\\enc\\film.m2v");
    EXPECT_EQ(events.changes, std::vector<ControlId>{kBox});
    EXPECT_EQ(window->control(kBox).text(), "D:\\enc\\film.m2v");

    const std::string cyrillic = "C:\\\xD0\x92\xD0\xB8\xD0\xB4\xD0\xB5\xD0\xBE\\a.m2v";
    window->control(kBox).setText(cyrillic);
    EXPECT_EQ(window->control(kBox).text(), cyrillic);

    SendMessageW(dynamic_cast<Win32Window&>(*window).controlHwnd(kButton), BM_CLICK, 0, 0);
    EXPECT_EQ(events.clicks, std::vector<ControlId>{kButton});
    window->unload();
    EXPECT_EQ(events.closes, 1);
    EXPECT_FALSE(window->isOpen());
    pumpPending();
}

TEST(Win32WindowTest, TimerTicksWhileEnabledAndStopsWhenDisabled) {
    platform::win32::Win32Ui ui(GetModuleHandleW(nullptr));
    Recorder events;
    auto window = ui.createWindow(kProbeWindow, events);
    window->show();
    EXPECT_TRUE(pumpUntil([&] { return events.ticks >= 3; }));
    window->timer().setEnabled(false);
    const int ticks = events.ticks;
    pumpUntil([] { return false; }, std::chrono::milliseconds(200));
    EXPECT_EQ(events.ticks, ticks);
    window->unload();
    pumpPending();
}

TEST(Win32WindowTest, AFailingHandlerIsToldThenTheCloseRequestRunsAndTheProgramEnds) {
    platform::win32::Win32Ui ui(GetModuleHandleW(nullptr));
    Recorder events;
    events.clicksFail = true;
    auto window = ui.createWindow(kProbeWindow, events);
    window->show();
    testing::BoxAnswerer answerer(L"Morvane");
    SendMessageW(dynamic_cast<Win32Window&>(*window).controlHwnd(kButton), BM_CLICK, 0, 0);
    const auto seen = answerer.seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_TRUE(seen[0].icon);
    EXPECT_NE(seen[0].texts.back().find(L"What failed: the click's own failure"), std::wstring::npos);
    EXPECT_EQ(events.closes, 1);
    EXPECT_FALSE(window->isOpen());
    EXPECT_TRUE(ui.gate().ended());
    pumpPending();
}

TEST(Win32WindowTest, ProgramEndsOnlyWithItsLastWindow) {
    platform::win32::Win32Ui ui(GetModuleHandleW(nullptr));
    Recorder first;
    Recorder second;
    auto a = ui.createWindow(kProbeWindow, first);
    auto b = ui.createWindow(kProbeWindow, second);
    a->show();
    b->show();
    a->unload();
    EXPECT_TRUE(b->isOpen());
    PostMessageW(dynamic_cast<Win32Window&>(*b).hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(ui.run(), 0);
    EXPECT_FALSE(b->isOpen());
    EXPECT_EQ(second.closes, 1);
}

}  // namespace
}  // namespace morvane
