// The same-prefix rule, seen from both sides. Wine keeps file-sharing rules in
// the wineserver of one prefix: the program sees that the encoder still holds
// its files only when the encoder runs under that same server.
//
// prefix_rule_test.sh runs these cases one at a time: it starts morvane.exe
// through the installed launcher and, for the native case, holds the files
// from a Linux process of its own. It names the folder of the case in
// MORVANE_RULE_DIR and the launcher's program in MORVANE_RULE_EXE.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <string>

#include "files_test_support.h"
#include "main_window/main_window_layout.h"
#include "remote_main_window.h"
#include "win32_test_support.h"

namespace morvane {
namespace {

using platform::ControlId;
using testing::kBusyMark;
using testing::kMainCaption;
using testing::pumpUntil;

constexpr const wchar_t* kNothingToWaitFor = L"CCE output files are missing or not in use. Is CCE running?";

struct Case {
    std::wstring folder;  // holds pulldown.exe; the encoder's files go here too
    std::wstring program;
    [[nodiscard]] std::wstring output() const { return folder + L"\\movie.m2v"; }
    [[nodiscard]] std::wstring vaf() const { return folder + L"\\movie.vaf"; }
};

std::optional<Case> caseFromWrapper() {
    const char* folder = std::getenv("MORVANE_RULE_DIR");
    const char* program = std::getenv("MORVANE_RULE_EXE");
    if (!folder || !program) return std::nullopt;
    return Case{testing::windowsPath(folder), testing::windowsPath(program)};
}

std::wstring imageOf(DWORD processId) {
    const testing::UniqueKernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process) return {};
    std::wstring image(32768, L'\0');
    DWORD size = static_cast<DWORD>(image.size());
    if (!QueryFullProcessImageNameW(process.get(), 0, image.data(), &size)) size = 0;
    image.resize(size);
    return image;
}

// The morvane.exe that the wrapper started, seen from outside.
class Morvane : public testing::RemoteMainWindow {
public:
    explicit Morvane(const std::wstring& program) {
        // Found by its program file: the wrapper started it.
        pumpUntil([&] {
            return (main_ = testing::findTopLevel([&](HWND hwnd) {
                        return testing::className(hwnd) == L"MorvaneForm" &&
                               testing::windowText(hwnd) == kMainCaption &&
                               CompareStringOrdinal(imageOf(testing::processOf(hwnd)).c_str(), -1, program.c_str(), -1,
                                                    TRUE) == CSTR_EQUAL;
                    })) != nullptr;
        });
        if (!main_) throw std::runtime_error("the main window of " + testing::utf8(program) + " did not show");
        processId_ = testing::processOf(main_);
    }

    [[nodiscard]] HWND errorBox() const { return testing::topLevelWindowOf(processId_, L"#32770", L"Error"); }

    void fillIn(const Case& c) const {
        type(main_window::pulldownPathBox, c.folder + L"\\pulldown.exe");
        type(main_window::outputPathBox, c.output());
        check(main_window::dropFrameCheck, BST_CHECKED);
    }
    // The wrapper waits for the program to end; an orderly close ends it.
    void close() const {
        PostMessageW(main_, WM_CLOSE, 0, 0);
        EXPECT_TRUE(pumpUntil([&] { return !IsWindow(main_); }));
    }

private:
    DWORD processId_ = 0;
};

class PrefixRuleTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!given) GTEST_SKIP() << "run by prefix_rule_test.sh, which starts the program and the holders";
    }
    std::optional<Case> given = caseFromWrapper();
};

TEST_F(PrefixRuleTest, AnEncoderInTheSamePrefixKeepsTheProgramWaiting) {
    // The encoder stand-in, a Windows program in this prefix, holding both files.
    testing::EncoderStandIn encoder(given->output(), given->vaf());
    Morvane app(given->program);
    app.fillIn(*given);
    ASSERT_EQ(app.text(main_window::vafPathBox), given->vaf());

    app.click(main_window::startButton);
    ASSERT_TRUE(pumpUntil([&] { return app.text(main_window::startButton) == L"Cancel" || app.errorBox(); }));
    EXPECT_EQ(app.errorBox(), nullptr);
    EXPECT_EQ(app.text(main_window::startButton), L"Cancel");
    EXPECT_EQ(app.text(main_window::statusLabel), L"Waiting for CCE to finish");
    EXPECT_EQ(app.text(main_window::outputBusyMark), kBusyMark);
    EXPECT_EQ(app.text(main_window::vafBusyMark), kBusyMark);

    // The next look still finds both files held.
    app.tick();
    EXPECT_EQ(app.text(main_window::outputBusyMark), kBusyMark);
    EXPECT_EQ(app.text(main_window::vafBusyMark), kBusyMark);
    EXPECT_EQ(app.text(main_window::startButton), L"Cancel");
    app.close();
}

TEST_F(PrefixRuleTest, ALinuxProcessHoldingTheFilesIsInvisibleAndStartSaysSo) {
    // Present, so that only the holder's side of the rule can explain the message.
    ASSERT_TRUE(testing::exists(given->output()));
    ASSERT_TRUE(testing::exists(given->vaf()));
    Morvane app(given->program);
    app.fillIn(*given);
    ASSERT_EQ(app.text(main_window::vafPathBox), given->vaf());

    app.click(main_window::startButton);
    HWND box = nullptr;
    ASSERT_TRUE(pumpUntil([&] { return (box = app.errorBox()) != nullptr; }));
    const std::wstring shown = testing::whatBoxShows(box).text();
    EXPECT_NE(shown.find(kNothingToWaitFor), std::wstring::npos) << testing::utf8(shown);
    EXPECT_EQ(app.text(main_window::startButton), L"Start Waiting");
    EXPECT_EQ(app.text(main_window::outputBusyMark), L"");
    EXPECT_EQ(app.text(main_window::vafBusyMark), L"");

    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(pumpUntil([&] { return !IsWindow(box); }));
    EXPECT_EQ(app.text(main_window::startButton), L"Start Waiting");
    app.close();
}

}  // namespace
}  // namespace morvane
