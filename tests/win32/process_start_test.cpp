#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "files_test_support.h"
#include "platform/win32/win32_platform.h"
#include "real_main_window.h"
#include "workflow/pulldown_command.h"

namespace morvane {
namespace {

using namespace testing;
using platform::CheckState;
using platform::ShowStyle;
using platform::win32::Win32Processes;

// The recorder, under a name of choice, writes into a folder of its own.
class RecorderTest : public ::testing::Test, protected RecorderFolder {
protected:
    RecorderTest() : RecorderFolder(L"morvane-launch") {}

    // Waits for `count` records and reads them; an extra one arriving late would
    // show in a later check.
    std::vector<Record> awaitRecords(std::size_t count) {
        pumpUntil([&] { return recorded().size() >= count; });
        return recorded();
    }
};

TEST_F(RecorderTest, TheStartedProgramGetsItsArgumentsWholeAndStartsMinimised) {
    struct Row {
        const wchar_t* programFolder;
        const wchar_t* outFolder;
        const wchar_t* outFileName;
    };
    const Row rows[] = {
        {L"tools", L"D:\\Video\\", L"movie.m2v"},
        {L"Program Files", L"D:\\My Videos\\", L"my film.m2v"},
        {L"Программы 工具", L"D:\\Видео 映像\\", L"фильм.m2v"},
        {L"tools", L"", L"bare.m2v"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(utf8(row.programFolder) + " / " + utf8(row.outFolder) + utf8(row.outFileName));
        forgetRecords();
        const std::wstring program = installRecorder(row.programFolder);
        const std::string arguments =
            workflow::pulldownArguments(utf8(row.outFolder), utf8(row.outFileName), workflow::PulldownRun::DropFrame);
        Win32Processes processes;
        ASSERT_TRUE(processes.start(utf8(program), arguments, ShowStyle::MinimizedFocus));

        const std::vector<Record> got = awaitRecords(1);
        ASSERT_EQ(got.size(), 1u);
        const Record& record = got[0];
        EXPECT_EQ(utf8(record.commandLine), "\"" + utf8(program) + "\" " + arguments);
        const std::vector<std::wstring> expected = {program,
                                                    std::wstring(row.outFolder) + row.outFileName,
                                                    std::wstring(row.outFolder) + L"pulled_drop.m2v",
                                                    L"-prog_frames",
                                                    L"p",
                                                    L"-drop_frame",
                                                    L"true"};
        EXPECT_EQ(record.args, expected);
        EXPECT_EQ(record.crt, expected);
        EXPECT_TRUE(record.flags & STARTF_USESHOWWINDOW);
        EXPECT_EQ(record.show, static_cast<unsigned>(SW_SHOWMINIMIZED));
    }
}

TEST_F(RecorderTest, TheNormalStyleStartsAProgramShownNormally) {
    const std::wstring program = installRecorder(L"viewer");
    Win32Processes processes;
    ASSERT_TRUE(processes.start(utf8(program), "", ShowStyle::NormalFocus));
    const std::vector<Record> got = awaitRecords(1);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].show, static_cast<unsigned>(SW_SHOWNORMAL));
}

TEST_F(RecorderTest, StartingPulldownRunsStartsBothRunsOnThePathsInTheWindow) {
    const std::wstring program = installRecorder(L"Инструменты");
    const std::wstring folder = scratch / L"Мои видео\\";
    const std::wstring output = folder + L"фильм 1.m2v";
    CreateDirectoryW(folder.c_str(), nullptr);
    writeFile(output, "");
    RealMainWindow real;
    real.control(main_window::pulldownPathBox).setText(utf8(program));
    real.control(main_window::outputPathBox).setText(utf8(output));
    real.control(main_window::dropFrameCheck).setCheckState(CheckState::Ticked);
    real.control(main_window::noOptionsCheck).setCheckState(CheckState::Ticked);
    real.menu(main_window::pulldownNowItem);

    std::vector<Record> got = awaitRecords(2);
    ASSERT_EQ(got.size(), 2u);
    std::map<std::wstring, Record> byOutput;
    for (const Record& r : got) {
        ASSERT_EQ(r.args.size() >= 3, true);
        byOutput[r.args[2]] = r;
    }
    const Record& drop = byOutput[folder + L"pulled_drop.m2v"];
    const Record& noDrop = byOutput[folder + L"pulled_nodrop.m2v"];
    EXPECT_EQ(drop.args, (std::vector<std::wstring>{program, output, folder + L"pulled_drop.m2v", L"-prog_frames", L"p",
                                                    L"-drop_frame", L"true"}));
    EXPECT_EQ(noDrop.args,
              (std::vector<std::wstring>{program, output, folder + L"pulled_nodrop.m2v", L"-prog_frames", L"p"}));
    EXPECT_EQ(drop.show, static_cast<unsigned>(SW_SHOWMINIMIZED));
    EXPECT_EQ(noDrop.show, static_cast<unsigned>(SW_SHOWMINIMIZED));
}

// An edit control reports a change when the same text is set again; the
// derivation must not run for it, or a restored VAF path would be lost.
TEST(MainWindowPathsTest, SettingTheSameOutputPathAgainKeepsTheVafPath) {
    RealMainWindow real;
    real.control(main_window::outputPathBox).setText("C:\\enc\\фильм.m2v");
    EXPECT_EQ(real.control(main_window::vafPathBox).text(), "C:\\enc\\фильм.vaf");
    real.control(main_window::vafPathBox).setText("E:\\restored\\x.vaf");
    SendMessageW(real.hwnd(main_window::outputPathBox), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"C:\\enc\\фильм.m2v"));
    EXPECT_EQ(real.control(main_window::vafPathBox).text(), "E:\\restored\\x.vaf");
    SendMessageW(real.hwnd(main_window::outputPathBox), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"C:\\enc\\film2.m2v"));
    EXPECT_EQ(real.control(main_window::vafPathBox).text(), "C:\\enc\\film2.vaf");
}

}  // namespace
}  // namespace morvane
