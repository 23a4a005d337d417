#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "command_line_rules.h"
#include "main_window_harness.h"
#include "workflow/pulldown_command.h"

namespace morvane {
namespace {

using namespace main_window;
using platform::CheckState;
using platform::MessageIcon;
using platform::ShowStyle;
using testing::MainWindowHarness;

constexpr const char* kTool = R"(C:\Tools\pulldown.exe)";
constexpr const char* kDropExample =
    R"("C:\Tools\pulldown.exe" D:\Video\movie.m2v D:\Video\pulled_drop.m2v -prog_frames p -drop_frame true)";
constexpr const char* kNoDropExample =
    R"("C:\Tools\pulldown.exe" D:\Video\movie.m2v D:\Video\pulled_nodrop.m2v -prog_frames p)";

struct Launch : MainWindowHarness {
    // The tool is installed: only a program file starts.
    Launch(const std::string& tool, const std::string& output, CheckState drop, CheckState noDrop) {
        desktop.files.addFile(tool);
        start();
        window().type(pulldownPathBox, tool);
        window().type(outputPathBox, output);
        control(dropFrameCheck).setCheckState(drop);
        control(noOptionsCheck).setCheckState(noDrop);
    }
    // Pulldown Now on an output file that exists: the runs start with no other check.
    void launch() {
        desktop.files.addFile(text(pulldownPathBox));
        desktop.files.addFile(text(outputPathBox));
        window().click(pulldownNowItem);
    }
};

struct RunRow {
    const char* name;
    const char* tool;
    const char* output;
    CheckState drop;
    CheckState noDrop;
    std::vector<std::string> lines;  // in start order, which is behaviour: the drop-frame run starts first
};

TEST(PulldownRunsTest, ComposesTheTickedRunsInOrder) {
    using enum CheckState;
    // clang-format off
    const RunRow rows[] = {
        {"example, both", kTool, R"(D:\Video\movie.m2v)", Ticked, Ticked, {kDropExample, kNoDropExample}},
        {"drop only", kTool, R"(D:\Video\movie.m2v)", Ticked, Clear, {kDropExample}},
        {"no options only", kTool, R"(D:\Video\movie.m2v)", Clear, Ticked, {kNoDropExample}},
        {"greyed is not ticked", kTool, R"(D:\Video\movie.m2v)", Greyed, Ticked, {kNoDropExample}},
        {"neither", kTool, R"(D:\Video\movie.m2v)", Greyed, Clear, {}},
        {"program path with blanks", R"(C:\Program Files\Tools\pulldown.exe)", R"(D:\Video\movie.m2v)", Ticked,
         Clear,
         {R"("C:\Program Files\Tools\pulldown.exe" D:\Video\movie.m2v D:\Video\pulled_drop.m2v -prog_frames p -drop_frame true)"}},
        {"no backslash", kTool, "movie.m2v", Ticked, Ticked,
         {R"("C:\Tools\pulldown.exe" movie.m2v pulled_drop.m2v -prog_frames p -drop_frame true)",
          R"("C:\Tools\pulldown.exe" movie.m2v pulled_nodrop.m2v -prog_frames p)"}},
        {"blanks in the folder", kTool, R"(D:\My Videos\film.m2v)", Ticked, Ticked,
         {R"("C:\Tools\pulldown.exe" "D:\My Videos\film.m2v" "D:\My Videos\pulled_drop.m2v" -prog_frames p -drop_frame true)",
          R"("C:\Tools\pulldown.exe" "D:\My Videos\film.m2v" "D:\My Videos\pulled_nodrop.m2v" -prog_frames p)"}},
        {"blank in the file name only", kTool, R"(D:\Video\my film.m2v)", Ticked, Clear,
         {R"("C:\Tools\pulldown.exe" "D:\Video\my film.m2v" D:\Video\pulled_drop.m2v -prog_frames p -drop_frame true)"}},
        {"forward slashes: the output lands beside the stream", kTool, "C:/Encodes/My Movie/movie.m2v", Ticked, Clear,
         {R"("C:\Tools\pulldown.exe" "C:/Encodes/My Movie/movie.m2v" "C:/Encodes/My Movie/pulled_drop.m2v" -prog_frames p -drop_frame true)"}},
        {"UNC, mixed separators", kTool, R"(\\nas\enc/night\movie.m2v)", Clear, Ticked,
         {R"("C:\Tools\pulldown.exe" \\nas\enc/night\movie.m2v \\nas\enc/night\pulled_nodrop.m2v -prog_frames p)"}},
        {"non-ASCII", "C:\\Программы\\pulldown.exe", "D:\\Видео\\фильм.m2v", Clear, Ticked,
         {"\"C:\\Программы\\pulldown.exe\" D:\\Видео\\фильм.m2v D:\\Видео\\pulled_nodrop.m2v -prog_frames p"}},
    };
    // clang-format on
    for (const RunRow& row : rows) {
        SCOPED_TRACE(row.name);
        Launch h(row.tool, row.output, row.drop, row.noDrop);
        h.launch();
        EXPECT_EQ(h.startedLines(), row.lines);
        for (const auto& s : h.desktop.processes.started) EXPECT_EQ(s.style, ShowStyle::MinimizedFocus);
        EXPECT_TRUE(h.desktop.ui.messages.empty());
    }
}

TEST(PulldownRunsTest, ReadsThePathsAtTheMomentOfTheLaunch) {
    Launch h(kTool, R"(D:\Video\movie.m2v)", CheckState::Ticked, CheckState::Clear);
    h.window().type(pulldownPathBox, R"(E:\pd\pulldown.exe)");
    h.window().type(outputPathBox, R"(F:\x\y.mpv)");
    h.launch();
    EXPECT_EQ(h.startedLines(),
              std::vector<std::string>{
                  R"("E:\pd\pulldown.exe" F:\x\y.mpv F:\x\pulled_drop.m2v -prog_frames p -drop_frame true)"});
}

TEST(PulldownRunsTest, AFailedStartIsReportedAndTheOtherRunStillTried) {
    Launch h(kTool, R"(D:\Video\movie.m2v)", CheckState::Ticked, CheckState::Ticked);
    h.desktop.processes.failing = {kDropExample};
    std::vector<std::size_t> attemptsWhileShown;
    h.desktop.ui.whileModal = [&] { attemptsWhileShown.push_back(h.desktop.processes.attempts.size()); };
    h.launch();

    ASSERT_EQ(h.desktop.ui.messages.size(), 1u);
    const auto& shown = h.desktop.ui.messages[0];
    EXPECT_EQ(shown.text, R"(Could not start "C:\Tools\pulldown.exe")");
    EXPECT_EQ(shown.title, "Error");
    EXPECT_EQ(shown.icon, MessageIcon::Warning);
    EXPECT_EQ(shown.owner, "MainWindow");
    EXPECT_EQ(attemptsWhileShown, std::vector<std::size_t>{1});  // told before the second start
    // The order is behaviour: the drop-frame run is tried first.
    EXPECT_EQ(h.desktop.processes.attempts, (std::vector<std::string>{kDropExample, kNoDropExample}));
    EXPECT_EQ(h.startedLines(), std::vector<std::string>{kNoDropExample});
}

TEST(PulldownRunsTest, EachFailedStartIsReported) {
    Launch h("", R"(D:\Video\movie.m2v)", CheckState::Ticked, CheckState::Ticked);
    h.launch();
    ASSERT_EQ(h.desktop.ui.messages.size(), 2u);
    EXPECT_EQ(h.desktop.ui.messages[0].text, R"(Could not start "")");
    EXPECT_EQ(h.desktop.ui.messages[1].text, R"(Could not start "")");
    EXPECT_EQ(h.desktop.processes.attempts.size(), 2u);
    EXPECT_TRUE(h.desktop.processes.started.empty());
}

struct MenuRow {
    const char* name;
    CheckState drop;
    CheckState noDrop;
    bool outputExists;
    std::vector<std::string> messages;
    std::vector<std::string> lines;
};

TEST(PulldownNowTest, ChecksInOrderThenStartsTheRuns) {
    using enum CheckState;
    const char* kNoOption = "Must have at least one Pulldown option checked";
    const char* kMissing = "File Does Not Exist";
    // clang-format off
    const MenuRow rows[] = {
        {"both clear, file missing: the first check speaks", Clear, Clear, false, {kNoOption}, {}},
        {"both clear", Clear, Clear, true, {kNoOption}, {}},
        {"file missing", Ticked, Clear, false, {kMissing}, {}},
        {"greyed passes the check but starts nothing", Greyed, Clear, true, {}, {}},
        {"greyed, file missing", Clear, Greyed, false, {kMissing}, {}},
        {"both", Ticked, Ticked, true, {}, {kDropExample, kNoDropExample}},
        {"no options only", Clear, Ticked, true, {}, {kNoDropExample}},
    };
    // clang-format on
    for (const MenuRow& row : rows) {
        SCOPED_TRACE(row.name);
        Launch h(kTool, R"(D:\Video\movie.m2v)", row.drop, row.noDrop);
        if (row.outputExists) h.desktop.files.addFile(R"(D:\Video\movie.m2v)");
        h.window().click(pulldownNowItem);

        std::vector<std::string> texts;
        for (const auto& m : h.desktop.ui.messages) {
            texts.push_back(m.text);
            EXPECT_EQ(m.title, "Error");
            EXPECT_EQ(m.icon, MessageIcon::Warning);
        }
        EXPECT_EQ(texts, row.messages);
        EXPECT_EQ(h.startedLines(), row.lines);
    }
}

TEST(PulldownNowTest, StartsEvenWhileTheEncoderHoldsTheFileAndChangesNothingElse) {
    Launch h(kTool, R"(D:\Video\movie.m2v)", CheckState::Ticked, CheckState::Clear);
    h.desktop.files.addFile(R"(D:\Video\movie.m2v)");
    h.desktop.files.hold(R"(D:\Video\movie.m2v)");
    h.window().click(pulldownNowItem);
    ASSERT_EQ(h.desktop.processes.started.size(), 1u);
    EXPECT_TRUE(h.desktop.ui.messages.empty());
    EXPECT_TRUE(h.window().isOpen());
    EXPECT_EQ(h.text(startButton), "Start Waiting");
    EXPECT_EQ(h.text(outputPathBox), R"(D:\Video\movie.m2v)");
}

// A click ticks a clear or greyed box and clears a ticked one.
TEST(PulldownNowTest, ClickedBoxesChooseTheRuns) {
    Launch h(kTool, R"(D:\Video\movie.m2v)", CheckState::Greyed, CheckState::Ticked);
    h.window().click(dropFrameCheck);
    h.window().click(noOptionsCheck);
    h.launch();
    EXPECT_EQ(h.startedLines(), std::vector<std::string>{kDropExample});
}

TEST(PulldownNowTest, AnEmptyOutputPathDoesNotExist) {
    Launch h(kTool, "", CheckState::Ticked, CheckState::Ticked);
    h.window().click(pulldownNowItem);
    ASSERT_EQ(h.desktop.ui.messages.size(), 1u);
    EXPECT_EQ(h.desktop.ui.messages[0].text, "File Does Not Exist");
    EXPECT_TRUE(h.desktop.processes.attempts.empty());
}

TEST(QuoteArgumentTest, QuotesExactlyWhatWouldOtherwiseBeSplitOrLost) {
    // clang-format off
    const std::pair<const char*, const char*> rows[] = {
        {R"(D:\Video\movie.m2v)", R"(D:\Video\movie.m2v)"},
        {R"(\\server\share\a.m2v)", R"(\\server\share\a.m2v)"},
        {"D:\\Видео\\фильм.m2v", "D:\\Видео\\фильм.m2v"},
        {R"(D:\My Videos\a.m2v)", R"("D:\My Videos\a.m2v")"},
        {"tab\there", "\"tab\there\""},
        {"", R"("")"},
        {R"(say"hi)", R"("say\"hi")"},
        {R"(a\"b)", R"("a\\\"b")"},
        {R"(D:\My Videos\)", R"("D:\My Videos\\")"},
        {R"(trailing\)", R"(trailing\)"},
    };
    // clang-format on
    for (const auto& [raw, quoted] : rows) EXPECT_EQ(workflow::quoteArgument(raw), quoted) << raw;
}

TEST(QuoteArgumentTest, EveryArgumentComesBackWholeFromTheStandardSplit) {
    const std::vector<std::string> inputs = {R"(D:\My Videos\film.m2v)",
                                             "",
                                             " ",
                                             R"(a"b)",
                                             R"(a\"b)",
                                             R"(a\\)",
                                             R"(x y\\)",
                                             "\t",
                                             R"(\\srv\my share\)",
                                             "D:\\Мои видео\\фильм 1.m2v",
                                             R"(""")",
                                             R"(a\b c\d)"};
    for (const std::string& input : inputs) {
        const std::string line = "\"p\" " + workflow::quoteArgument(input) + " next";
        EXPECT_EQ(testing::splitCommandLine(line), (std::vector<std::string>{"p", input, "next"})) << line;
    }
    const std::string line = platform::commandLineOf(
        R"(C:\T\pulldown.exe)",
        workflow::pulldownArguments(R"(D:\My "Videos\)", "a b.m2v", workflow::PulldownRun::DropFrame));
    EXPECT_EQ(
        testing::splitCommandLine(line),
        (std::vector<std::string>{R"(C:\T\pulldown.exe)", R"(D:\My "Videos\a b.m2v)",
                                  R"(D:\My "Videos\pulled_drop.m2v)", "-prog_frames", "p", "-drop_frame", "true"}));
}

}  // namespace
}  // namespace morvane
