// Path texts that a user, a damaged store or another program can put in the
// three path boxes, through the derivation, the wait and the launch on the
// in-memory desktop. Whether such a path names a file is the system's answer;
// tests/win32/hostile_*_test.cpp asks the real one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "command_line_rules.h"
#include "main_window/main_window_constants.h"
#include "main_window_harness.h"
#include "workflow/path_derivation.h"

namespace morvane {
namespace {

using namespace main_window;
using platform::CheckState;
using testing::MainWindowHarness;
using testing::splitCommandLine;

const std::string kTool = "C:\\Tools\\pulldown.exe";
const std::string kUntouchedVaf = "E:\\kept\\as.vaf";

// A path of exactly `length` bytes (ASCII), ending in ".m2v".
std::string pathOfLength(std::size_t length) {
    const std::string head = "D:\\";
    const std::string tail = "\\movie.m2v";
    return head + std::string(length - head.size() - tail.size(), 'v') + tail;
}

struct HostilePath {
    const char* name;
    std::string text;
    bool namesAnEntry = true;  // false: no file can have this name
};

std::vector<HostilePath> hostilePaths() {
    return {
        {"one character", "x"},
        {"one dot", "."},
        {"exactly 32,766 characters", pathOfLength(32766)},
        {"32,767 characters", pathOfLength(32767)},
        {"100,000 characters", pathOfLength(100000)},
        {"blanks at both ends", "  D:\\Video\\movie.m2v  "},
        {"double quotes", "D:\\Vi\"deo\\mo\"vie.m2v"},
        {"a quote after backslashes", "D:\\Video\\\\\"\\movie.m2v"},
        {"tabs", "D:\\Vi\tdeo\\movie\t.m2v"},
        {"emoji and right-to-left text",
         "D:\\\xF0\x9F\x8E\xAC \xD9\x81\xDB\x8C\xD9\x84\xD9\x85\\\xD8\xB3\xDB\x8C\xD9\x86\xD9\x85\xD8\xA7 "
         "\xF0\x9F\x8E\x9E.m2v"},
        {"a right-to-left override",
         "D:\\Video\\\xE2\x80\xAE"
         "v2m.exe"},
        {"wildcards", "D:\\Video\\*.m2v"},
        {"a question mark", "D:\\Video\\mov?e.m2v"},
        {"CON", "CON"},
        {"NUL", "NUL"},
        {"COM1", "COM1"},
        {"a device name in a folder", "C:\\x\\nul.m2v"},
        {"a trailing dot", "D:\\Video\\movie.m2v."},
        {"a trailing backslash", "D:\\Video\\", false},
        {"UNC", "\\\\server\\share\\x.m2v"},
        {"an extended-length path", "\\\\?\\D:\\Video\\movie.m2v"},
        {"an extended-length UNC path", "\\\\?\\UNC\\server\\share\\x.m2v"},
        {"forward slashes", "D:/Video/movie.m2v"},
        {"invalid UTF-8", "D:\\Vid\xC3\\mo\xFFvie.m2v"},
    };
}

struct Program : MainWindowHarness {
    Program() {
        desktop.files.addFile(kTool);
        start();
        window().type(pulldownPathBox, kTool);
        control(vafPathBox).setText(kUntouchedVaf);
    }
};

// Either the file name has a dot and the VAF path follows from the two parts,
// which put together give the text back; or nothing is derived and the VAF box
// keeps what it held.
void expectDerivationHolds(Program& p, const std::string& text) {
    const auto [folder, name, vaf] = workflow::deriveOutputPaths(text);
    if (name.empty()) {
        EXPECT_TRUE(folder.empty());
        EXPECT_TRUE(vaf.empty());
        EXPECT_EQ(p.text(vafPathBox), kUntouchedVaf);
        return;
    }
    EXPECT_EQ(folder + name, text);
    EXPECT_TRUE(folder.empty() || folder.back() == '\\' || folder.back() == '/');
    EXPECT_EQ(name.find_first_of("\\/"), std::string::npos);
    const std::size_t dot = name.rfind('.');
    ASSERT_NE(dot, std::string::npos);
    EXPECT_EQ(vaf, name.substr(0, dot + 1) + "vaf");
    EXPECT_EQ(p.text(vafPathBox), folder + vaf);
}

// The run's command line gives back the tool, the input and the output whole.
void expectWholeArguments(const std::string& line, const std::string& text) {
    const std::vector<std::string> args = splitCommandLine(line);
    ASSERT_EQ(args.size(), 7u) << line;
    EXPECT_EQ(args[0], kTool);
    EXPECT_EQ(args[1], text);
    EXPECT_EQ(args[2], workflow::deriveOutputPaths(text).outFolder + "pulled_drop.m2v");
    EXPECT_EQ(std::vector<std::string>(args.begin() + 3, args.end()),
              (std::vector<std::string>{"-prog_frames", "p", "-drop_frame", "true"}));
}

// A file name without a dot derives no input: the run is refused, once.
bool refusedForNoInput(const Program& p, const std::string& text) {
    if (!workflow::deriveOutputPaths(text).outFileName.empty()) return false;
    EXPECT_TRUE(p.desktop.processes.attempts.empty());
    EXPECT_EQ(p.desktop.ui.messages.size(), 1u);
    EXPECT_NE(p.desktop.ui.messages.at(0).text.find(" has no extension"), std::string::npos);
    return true;
}

TEST(HostilePathTest, TheDerivationHoldsForEveryText) {
    for (const HostilePath& path : hostilePaths()) {
        SCOPED_TRACE(path.name);
        Program p;
        p.window().type(outputPathBox, path.text);
        expectDerivationHolds(p, path.text);
        EXPECT_TRUE(p.desktop.ui.messages.empty());
    }
}

// The encoder holds a file of that name, lets go, and two free ticks later the
// run starts on exactly that text, once, and nothing else is started.
TEST(HostilePathTest, AWaitOnEveryTextEndsInOneRunOnThePathAsWritten) {
    for (const HostilePath& path : hostilePaths()) {
        SCOPED_TRACE(path.name);
        Program p;
        p.window().type(outputPathBox, path.text);
        p.control(noOptionsCheck).setCheckState(CheckState::Clear);
        p.desktop.files.addFile(path.text);
        p.desktop.files.hold(path.text);

        p.window().click(startButton);
        if (!path.namesAnEntry) {
            ASSERT_EQ(p.desktop.ui.messages.size(), 1u);
            EXPECT_EQ(p.desktop.ui.messages[0].text, "CCE output files are missing or not in use. Is CCE running?");
            continue;
        }
        if (refusedForNoInput(p, path.text)) continue;
        ASSERT_EQ(p.text(startButton), "Cancel");
        EXPECT_EQ(p.text(outputBusyMark), kBusyMark);
        p.window().tick();

        p.desktop.files.hold(path.text, false);
        p.window().tick();
        p.window().tick();
        EXPECT_TRUE(p.desktop.ui.ended());
        EXPECT_TRUE(p.desktop.ui.messages.empty());
        ASSERT_EQ(p.desktop.processes.attempts.size(), 1u);
        expectWholeArguments(p.desktop.processes.attempts[0], path.text);
        EXPECT_TRUE(p.desktop.files.contains(path.text));
    }
}

TEST(HostilePathTest, PulldownNowOnEveryTextStartsOneRunOrSaysTheFileIsMissing) {
    for (const HostilePath& path : hostilePaths()) {
        SCOPED_TRACE(path.name);
        Program p;
        p.window().type(outputPathBox, path.text);
        p.control(noOptionsCheck).setCheckState(CheckState::Clear);
        p.window().click(pulldownNowItem);
        ASSERT_EQ(p.desktop.ui.messages.size(), 1u);
        EXPECT_EQ(p.desktop.ui.messages[0].text, "File Does Not Exist");
        EXPECT_TRUE(p.desktop.processes.attempts.empty());

        p.desktop.files.addFile(path.text);
        p.window().click(pulldownNowItem);
        if (!path.namesAnEntry) {
            EXPECT_EQ(p.desktop.ui.messages.size(), 2u);
            EXPECT_TRUE(p.desktop.processes.attempts.empty());
            continue;
        }
        p.desktop.ui.messages.erase(p.desktop.ui.messages.begin());
        if (refusedForNoInput(p, path.text)) continue;
        EXPECT_TRUE(p.desktop.ui.messages.empty());
        ASSERT_EQ(p.startedLines().size(), 1u);
        expectWholeArguments(p.startedLines()[0], path.text);
    }
}

// An empty VAF box names no file: the wait rests on the output file alone.
TEST(HostilePathTest, AnEmptyVafPathCountsAsNotBusy) {
    Program p;
    p.window().type(outputPathBox, "D:\\Video\\movie.m2v");
    p.control(vafPathBox).setText("");
    p.desktop.files.addFile("D:\\Video\\movie.m2v");
    p.desktop.files.hold("D:\\Video\\movie.m2v");
    p.window().click(startButton);
    ASSERT_EQ(p.text(startButton), "Cancel");
    EXPECT_EQ(p.text(vafBusyMark), "");
    p.desktop.files.hold("D:\\Video\\movie.m2v", false);
    p.window().tick();
    p.window().tick();
    EXPECT_TRUE(p.desktop.ui.ended());
}

// The tool path is quoted and taken as it stands; shell characters in it are
// plain characters of a file name. (A double quote is refused by the start
// itself: tests/win32/hostile_launch_test.cpp.)
TEST(HostileToolPathTest, ShellCharactersStayInTheOneProgramPath) {
    const std::string toolPaths[] = {
        "C:\\Tools\\pulldown.bat", "C:\\Tools\\pulldown.cmd",   "C:\\Nowhere\\pulldown.exe", "C:\\A&B\\pulldown.exe",
        "C:\\A|B\\pulldown.exe",   "C:\\A^B\\pulldown.exe",     "C:\\%PATH%\\pulldown.exe",  "C:\\A;B\\pulldown.exe",
        "C:\\A B\\pull down.exe",  " C:\\Tools\\pulldown.exe ", "C:\\Tools\\pulldown.exe\\", "",
    };
    for (const std::string& tool : toolPaths) {
        SCOPED_TRACE(tool);
        Program p;
        p.window().type(pulldownPathBox, tool);
        p.window().type(outputPathBox, "D:\\Video\\movie.m2v");
        p.desktop.files.addFile("D:\\Video\\movie.m2v");
        p.control(noOptionsCheck).setCheckState(CheckState::Ticked);
        p.window().click(pulldownNowItem);
        ASSERT_EQ(p.desktop.processes.attempts.size(), 2u);
        for (const std::string& line : p.desktop.processes.attempts) {
            const std::vector<std::string> args = splitCommandLine(line);
            ASSERT_GE(args.size(), 3u);
            EXPECT_EQ(args[0], tool);
            EXPECT_EQ(args[1], "D:\\Video\\movie.m2v");
        }
    }
}

}  // namespace
}  // namespace morvane
