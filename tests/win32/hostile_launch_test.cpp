// Tool paths and output paths that a shell would read as commands, through
// the real process start. The only process that may appear is the one program
// named, given every path whole; anything else ends in the reported failure.
// This test runs in a job of its own, so every process started is counted.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "real_main_window.h"

namespace morvane {
namespace {

using namespace testing;
using platform::CheckState;

// Every process started from here on, by this test or by the program.
class ProcessCount {
public:
    ProcessCount() : job_(CreateJobObjectW(nullptr, nullptr)) {
        if (!AssignProcessToJobObject(job_, GetCurrentProcess())) job_ = nullptr;
    }
    [[nodiscard]] bool counting() const { return job_ != nullptr; }
    [[nodiscard]] DWORD started() const {
        JOBOBJECT_BASIC_ACCOUNTING_INFORMATION info{};
        QueryInformationJobObject(job_, JobObjectBasicAccountingInformation, &info, sizeof(info), nullptr);
        return info.TotalProcesses - 1;  // not this test itself
    }

private:
    HANDLE job_;
};

ProcessCount& processes() {
    static ProcessCount count;
    return count;
}

// A scratch folder with the recorder copied in as pulldown.exe wherever a
// case wants it; the records land in their own folder.
class HostileLaunchTest : public ::testing::Test, protected RecorderFolder {
protected:
    HostileLaunchTest() : RecorderFolder(L"morvane-hostile-launch") {}
    void SetUp() override {
        ASSERT_TRUE(processes().counting()) << "this process cannot be put in a job";
        CreateDirectoryW(encodes.c_str(), nullptr);
    }

    // A batch file that leaves a mark when any shell runs it.
    std::wstring installBatch(const std::wstring& fileName) {
        const std::wstring batch = scratch / fileName;
        writeFile(batch, "@echo off\r\necho ran > \"" + utf8(shellMark()) + "\"\r\n");
        return batch;
    }
    [[nodiscard]] std::wstring shellMark() const { return scratch / L"a shell ran.txt"; }

    // Pulldown Now with both runs ticked, on an output file that exists.
    void pulldownNow(RealMainWindow& real, const std::wstring& tool, const std::wstring& output) {
        writeFile(output, "MPEG");
        real.control(main_window::pulldownPathBox).setText(utf8(tool));
        real.control(main_window::outputPathBox).setText(utf8(output));
        real.control(main_window::dropFrameCheck).setCheckState(CheckState::Ticked);
        real.control(main_window::noOptionsCheck).setCheckState(CheckState::Ticked);
        real.menu(main_window::pulldownNowItem);
    }

    // Both runs started the one program, given the paths whole.
    void expectTwoRuns(const std::wstring& tool, const std::wstring& output) {
        ASSERT_TRUE(pumpUntil([&] { return recorded().size() == 2; }));
        const std::wstring folder = output.substr(0, output.rfind(L'\\') + 1);
        std::vector<std::wstring> outputs;
        for (const Record& record : recorded()) {
            ASSERT_GE(record.args.size(), 3u) << utf8(record.commandLine);
            EXPECT_EQ(record.args[0], tool);
            EXPECT_EQ(record.args[1], output);
            outputs.push_back(record.args[2]);
        }
        std::ranges::sort(outputs);
        EXPECT_EQ(outputs, (std::vector<std::wstring>{folder + L"pulled_drop.m2v", folder + L"pulled_nodrop.m2v"}));
    }

    std::wstring encodes = scratch / L"encodes";
};

TEST_F(HostileLaunchTest, ShellCharactersInTheToolsFolderAreJustPartOfItsName) {
    for (const wchar_t* folder : {L"A&B", L"A^B", L"%PATH%", L"A;B", L"A & B ^ %PATH% ; C"}) {
        SCOPED_TRACE(utf8(folder));
        forgetRecords();
        const std::wstring tool = installRecorder(folder);
        const DWORD before = processes().started();
        RealMainWindow real;
        pulldownNow(real, tool, encodes + L"\\movie.m2v");
        expectTwoRuns(tool, encodes + L"\\movie.m2v");
        EXPECT_EQ(processes().started() - before, 2u);
        EXPECT_TRUE(real.errors.seen().empty());
    }
}

TEST_F(HostileLaunchTest, ShellCharactersInTheOutputPathReachTheToolWhole) {
    const std::wstring tool = installRecorder(L"tools");
    const std::wstring folder = scratch / L"a&b ^c %PATH% ;d";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring output = folder + L"\\x&echo owned^ %TEMP%;.m2v";
    const DWORD before = processes().started();
    RealMainWindow real;
    pulldownNow(real, tool, output);
    expectTwoRuns(tool, output);
    EXPECT_EQ(processes().started() - before, 2u);
}

// A batch file would be run by the command interpreter, which reads "&" in
// the paths after it as the start of another command: it is refused, as is a
// tool that is no program, a name with "|" that no file can have, a missing
// one, and a path whose quote would let the rest of the text out as commands.
TEST_F(HostileLaunchTest, WhatIsNoProgramStartsNothingAndIsReported) {
    const std::wstring recorder = installRecorder(L"tools");
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring commandInterpreter = std::wstring(system) + L"\\cmd.exe";
    const std::wstring tools[] = {
        installBatch(L"pulldown.bat"),
        installBatch(L"pulldown.cmd"),
        scratch / L"pulldown.bat.",
        scratch / L"PULLDOWN.BAT  ",
        installBatch(L"pulldown.exe.bat"),
        [&] {
            writeFile(scratch / L"script.exe", "@echo ran > \"" + utf8(shellMark()) + "\"\r\n");
            return scratch / L"script.exe";
        }(),
        scratch / L"missing\\pulldown.exe",
        scratch / L"A|B\\pulldown.exe",
        scratch / L"tools",
        recorder + L"\" -evil \"",
        commandInterpreter + L"\" /c echo ran > \"" + shellMark() + L"\" & \"",
    };
    // Read by a shell, this path would make a folder beside the batch files.
    const std::wstring injection = encodes + L"\\x&mkdir made-by-a-shell&";
    CreateDirectoryW(injection.c_str(), nullptr);
    const std::wstring output = injection + L"\\movie.m2v";
    std::wstring previous(MAX_PATH + 1, L'\0');
    previous.resize(GetCurrentDirectoryW(MAX_PATH + 1, previous.data()));
    SetCurrentDirectoryW(scratch.path().c_str());
    for (const std::wstring& tool : tools) {
        SCOPED_TRACE(utf8(tool));
        const DWORD before = processes().started();
        RealMainWindow real;
        pulldownNow(real, tool, output);
        EXPECT_EQ(processes().started() - before, 0u);
        const std::vector<SeenBox> shown = real.errors.seen();
        EXPECT_EQ(shown.size(), 2u);
        for (const SeenBox& box : shown)
            EXPECT_NE(box.text().find(L"Could not start \"" + tool + L"\""), std::wstring::npos) << utf8(box.text());
    }
    SetCurrentDirectoryW(previous.c_str());
    EXPECT_FALSE(exists(shellMark()));
    EXPECT_FALSE(exists(scratch / L"made-by-a-shell"));
    EXPECT_TRUE(recorded().empty());
}

}  // namespace
}  // namespace morvane
