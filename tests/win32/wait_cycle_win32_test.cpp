// The wait cycle on the real desktop, in this process: how the busy mark is
// drawn and how the computer is kept from sleeping while a wait is armed.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "files_test_support.h"
#include "main_window/main_window_layout.h"
#include "real_main_window.h"
#include "win32_test_support.h"

namespace morvane {
namespace {

using platform::CheckState;
using platform::ControlId;
using testing::ScratchFolder;

// The thread's execution state; asking with no flags changes nothing that lasts.
EXECUTION_STATE executionState() { return SetThreadExecutionState(0); }

// Pixels of the mark, however it is drawn.
int darkPixels(const testing::Canvas& canvas) {
    int dark = 0;
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x) dark += testing::isDark(canvas.at(x, y)) ? 1 : 0;
    return dark;
}

// The program as its entry builds it, with the encoder played by this test:
// it holds the output file open for writing while it "encodes".
class WaitCycleWin32Test : public ::testing::Test {
protected:
    void SetUp() override {
        testing::writeFile(output(), "encoding...");
        encoder_ = testing::UniqueKernelHandle(
            CreateFileW(output().c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(encoder_);
        // Any existing program will do for pulldown.exe: no run is started here.
        set(main_window::pulldownPathBox, testing::folderOfThisProgram() + L"morvane_encoder_standin.exe");
        set(main_window::outputPathBox, output());
        real.control(main_window::dropFrameCheck).setCheckState(CheckState::Ticked);
    }
    void TearDown() override {
        letGo();
        if (real.open()) DestroyWindow(real.main());
        testing::pumpPending();
        testing::forgetSettings();
    }

    void set(ControlId id, const std::wstring& text) { real.control(id).setText(testing::utf8(text)); }
    std::wstring text(ControlId id) { return testing::windowText(real.hwnd(id)); }

    [[nodiscard]] std::wstring output() const { return scratch / L"movie.m2v"; }
    void letGo() { encoder_.reset(); }

    void clickGo() { SendMessageW(real.hwnd(main_window::startButton), BM_CLICK, 0, 0); }

    int darkPixelsOf(ControlId label) {
        RECT inside{};
        GetClientRect(real.hwnd(label), &inside);
        testing::Canvas canvas(inside.right, inside.bottom);
        SendMessageW(real.hwnd(label), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
        return darkPixels(canvas);
    }

    ScratchFolder scratch{L"morvane-wait"};
    testing::RealMainWindow real;
    testing::UniqueKernelHandle encoder_;
};

TEST_F(WaitCycleWin32Test, TheBusyMarkIsOneSymbolFontCharacterAndVisibleWhereTheFontLacksIt) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(real.hwnd(main_window::outputBusyMark), WM_GETFONT, 0, 0)),
               sizeof(font), &font);
    EXPECT_STREQ(font.lfFaceName, L"Webdings");
    EXPECT_EQ(font.lfCharSet, SYMBOL_CHARSET);
    EXPECT_EQ(darkPixelsOf(main_window::outputBusyMark), 0);

    clickGo();
    ASSERT_EQ(real.text(main_window::startButton), "Cancel");
    EXPECT_EQ(text(main_window::outputBusyMark), testing::kBusyMark);
    EXPECT_EQ(text(main_window::vafBusyMark), L"");
    // Drawn from the font where it has the glyph, as a dot where it does not (Wine's Webdings)
    // or where another face stands in for it (a prefix without Webdings); a
    // dot, not a letter's thin strokes.
    EXPECT_GT(darkPixelsOf(main_window::outputBusyMark), 20);
    EXPECT_EQ(darkPixelsOf(main_window::vafBusyMark), 0);

    letGo();
    real.tick();
    EXPECT_EQ(text(main_window::outputBusyMark), L"");
    EXPECT_EQ(darkPixelsOf(main_window::outputBusyMark), 0);
}

TEST_F(WaitCycleWin32Test, TheComputerStaysAwakeWhileArmedAndTheDisplayMayStillTurnOff) {
    clickGo();
    ASSERT_EQ(real.text(main_window::startButton), "Cancel");
    EXPECT_EQ(executionState(), static_cast<EXECUTION_STATE>(ES_CONTINUOUS | ES_SYSTEM_REQUIRED));
    real.tick();
    EXPECT_EQ(executionState(), static_cast<EXECUTION_STATE>(ES_CONTINUOUS | ES_SYSTEM_REQUIRED));

    clickGo();  // cancel
    ASSERT_EQ(real.text(main_window::startButton), "Start Waiting");
    EXPECT_EQ(executionState(), static_cast<EXECUTION_STATE>(ES_CONTINUOUS));

    clickGo();
    ASSERT_EQ(real.text(main_window::startButton), "Cancel");
    // Closed by its close box during the wait: the machine may sleep again.
    SendMessageW(real.main(), WM_CLOSE, 0, 0);
    ASSERT_FALSE(real.open());
    EXPECT_EQ(executionState(), static_cast<EXECUTION_STATE>(ES_CONTINUOUS));
}

}  // namespace
}  // namespace morvane
