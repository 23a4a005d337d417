// The wait cycle on the real desktop, in this process: how the busy mark is
// drawn and how the computer is kept from sleeping while a wait is armed.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "about/frm_about.h"
#include "files_test_support.h"
#include "main_window/form1.h"
#include "main_window/form1_layout.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_window.h"
#include "win32_test_support.h"

namespace morvane {
namespace {

using platform::CheckState;
using platform::ControlId;
using platform::win32::Win32Window;
using testing::ScratchFolder;

constexpr UINT_PTR kTimer1Id = 1;
constexpr const wchar_t* kSettingsKey = L"SOFTWARE\\Kestrine\\Morvane";

// The thread's execution state; asking with no flags changes nothing that lasts.
EXECUTION_STATE executionState() { return SetThreadExecutionState(0); }

// Pixels much darker than the button face: the mark, however it is drawn.
int darkPixels(const testing::Canvas& canvas) {
    int dark = 0;
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x) {
            const std::uint32_t p = canvas.at(x, y);
            if (((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF) < 3 * 0x60) ++dark;
        }
    return dark;
}

// The program as its entry builds it, with the encoder played by this test:
// it holds the output file open for writing while it "encodes".
class WaitCycleWin32Test : public ::testing::Test {
protected:
    void SetUp() override {
        form1.show();
        testing::writeFile(output(), "encoding...");
        encoder_ = CreateFileW(output().c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(encoder_, INVALID_HANDLE_VALUE);
        // Any existing program will do for pulldown.exe: no run is started here.
        set(form1::txtPullPath, thisProgram());
        set(form1::txtMPath, output());
        form1.window().control(form1::chkDrop).setCheckState(CheckState::Ticked);
    }
    void TearDown() override {
        letGo();
        if (form1.isOpen()) DestroyWindow(hwnd());
        testing::pumpPending();
        // A close saves the settings; later tests must not find them.
        for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) RegDeleteTreeW(root, kSettingsKey);
    }

    HWND hwnd() { return dynamic_cast<Win32Window&>(form1.window()).hwnd(); }
    HWND control(ControlId id) { return dynamic_cast<Win32Window&>(form1.window()).controlHwnd(id); }
    void set(ControlId id, const std::wstring& text) {
        form1.window().control(id).setText(platform::win32::narrow(text));
    }
    std::wstring text(ControlId id) { return testing::windowText(control(id)); }

    [[nodiscard]] std::wstring output() const { return scratch / L"movie.m2v"; }
    static std::wstring thisProgram() {
        std::wstring path(32768, L'\0');
        path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
        return path;
    }
    void letGo() {
        if (encoder_ != INVALID_HANDLE_VALUE) CloseHandle(encoder_);
        encoder_ = INVALID_HANDLE_VALUE;
    }

    void clickGo() { SendMessageW(control(form1::cmdGo), BM_CLICK, 0, 0); }
    void tick() { SendMessageW(hwnd(), WM_TIMER, kTimer1Id, 0); }

    int darkPixelsOf(ControlId label) {
        RECT inside{};
        GetClientRect(control(label), &inside);
        testing::Canvas canvas(inside.right, inside.bottom);
        SendMessageW(control(label), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
        return darkPixels(canvas);
    }

    ScratchFolder scratch{L"morvane-wait"};
    platform::win32::Win32Platform desktop{GetModuleHandleW(nullptr)};
    about::FrmAbout about{desktop.platform};
    Form1 form1{desktop.platform, about};
    HANDLE encoder_ = INVALID_HANDLE_VALUE;
};

TEST_F(WaitCycleWin32Test, TheBusyMarkIsOneSymbolFontCharacterAndVisibleWhereTheFontLacksIt) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control(form1::lblM), WM_GETFONT, 0, 0)), sizeof(font), &font);
    EXPECT_STREQ(font.lfFaceName, L"Webdings");
    EXPECT_EQ(font.lfCharSet, SYMBOL_CHARSET);
    EXPECT_EQ(darkPixelsOf(form1::lblM), 0);

    clickGo();
    ASSERT_TRUE(form1.waiting());
    EXPECT_EQ(text(form1::lblM), L"\u00CF");
    EXPECT_EQ(text(form1::lblV), L"");
    // Drawn from the font where it has the glyph, as a dot where it does not (Wine's Webdings).
    EXPECT_GT(darkPixelsOf(form1::lblM), 4);
    EXPECT_EQ(darkPixelsOf(form1::lblV), 0);

    letGo();
    tick();
    EXPECT_EQ(form1.freeTicks(), 1);
    EXPECT_EQ(text(form1::lblM), L"");
    EXPECT_EQ(darkPixelsOf(form1::lblM), 0);
}

TEST_F(WaitCycleWin32Test, TheComputerStaysAwakeWhileArmedAndTheDisplayMayStillTurnOff) {
    clickGo();
    ASSERT_TRUE(form1.waiting());
    EXPECT_EQ(executionState(), static_cast<EXECUTION_STATE>(ES_CONTINUOUS | ES_SYSTEM_REQUIRED));
    tick();
    EXPECT_EQ(executionState(), static_cast<EXECUTION_STATE>(ES_CONTINUOUS | ES_SYSTEM_REQUIRED));

    clickGo();  // cancel
    ASSERT_FALSE(form1.waiting());
    EXPECT_EQ(executionState(), static_cast<EXECUTION_STATE>(ES_CONTINUOUS));

    clickGo();
    ASSERT_TRUE(form1.waiting());
    // Closed by its close box during the wait: the machine may sleep again.
    SendMessageW(hwnd(), WM_CLOSE, 0, 0);
    ASSERT_FALSE(form1.isOpen());
    EXPECT_EQ(executionState(), static_cast<EXECUTION_STATE>(ES_CONTINUOUS));
}

}  // namespace
}  // namespace morvane
