#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "main_window/main_window_constants.h"
#include "main_window_harness.h"
#include "workflow/workflow_constants.h"

namespace morvane {
namespace {

using namespace main_window;
using platform::CheckState;
using platform::ControlId;
using platform::MessageIcon;
using platform::ShowStyle;

const std::string kPull = "C:\\Tools\\pulldown.exe";
const std::string kOutput = "D:\\Video\\movie.m2v";
const std::string kVaf = "D:\\Video\\movie.vaf";
const std::string kOtherOutput = "D:\\Video\\other.m2v";
const std::string kOtherVaf = "D:\\Video\\other.vaf";
const std::string kMark(kBusyMark);

const std::string kDropRun =
    "\"C:\\Tools\\pulldown.exe\" D:\\Video\\movie.m2v D:\\Video\\pulled_drop.m2v -prog_frames p -drop_frame true";
const std::string kNoDropRun =
    "\"C:\\Tools\\pulldown.exe\" D:\\Video\\movie.m2v D:\\Video\\pulled_nodrop.m2v -prog_frames p";

// The program on the memory desktop with pulldown.exe in place and the two
// watched paths filled in; the test plays the encoder and the clock.
struct Program {
    Program() {
        files().addFile(kPull);
        h.start();
        h.window().type(pulldownPathBox, kPull);
        watch(kOutput, kVaf);
    }

    // The VAF box is set as the program sets it, after the output path's own derivation.
    void watch(const std::string& output, const std::string& vaf) {
        h.window().type(outputPathBox, output);
        h.control(vafPathBox).setText(vaf);
    }
    void encoderWrites(const std::string& path) {
        files().addFile(path);
        files().hold(path);
    }
    void encoderLetsGo(const std::string& path) { files().hold(path, false); }
    void click(ControlId id) { h.window().click(id); }
    void tick() { h.window().tick(); }
    void check(ControlId box, CheckState state) { h.control(box).setCheckState(state); }

    void startWaitingOn(const std::string& busyFile) {
        encoderWrites(busyFile);
        click(startButton);
        ASSERT_EQ(h.text(startButton), "Cancel");
    }

    [[nodiscard]] bool ended() const { return h.desktop.ui.ended(); }

    void expectIdleLook() {
        EXPECT_EQ(h.text(startButton), "Start Waiting");
        EXPECT_EQ(h.text(statusLabel), "Make sure CCE is running and...");
        EXPECT_TRUE(h.control(pulldownPathBox).enabled());
        EXPECT_TRUE(h.control(outputPathBox).enabled());
        EXPECT_EQ(h.text(outputBusyMark), "");
        EXPECT_EQ(h.text(vafBusyMark), "");
        EXPECT_EQ(h.text(minutesWaitedLabel), "0");
    }

    testing::MemoryFileSystem& files() { return h.desktop.files; }
    testing::MemoryUi& ui() { return h.desktop.ui; }

    testing::MainWindowHarness h;
};

// Each test gets a fresh program; table rows make their own.
class WaitCycleTest : public ::testing::Test, protected Program {};

// --- Start -----------------------------------------------------------------

TEST_F(WaitCycleTest, StartArmsTheWaitWhileTheEncoderHoldsTheOutputFile) {
    encoderWrites(kOutput);
    click(startButton);

    EXPECT_EQ(h.text(startButton), "Cancel");
    EXPECT_EQ(h.text(statusLabel), "Waiting for CCE to finish");
    EXPECT_FALSE(h.control(pulldownPathBox).enabled());
    EXPECT_FALSE(h.control(outputPathBox).enabled());
    EXPECT_FALSE(h.control(vafPathBox).enabled());
    for (ControlId stillUsable : {browseOutputButton, browsePulldownButton, dropFrameCheck, noOptionsCheck})
        EXPECT_TRUE(h.control(stillUsable).enabled()) << stillUsable.value;
    EXPECT_EQ(h.text(outputBusyMark), kMark);
    EXPECT_EQ(h.text(vafBusyMark), "");
    EXPECT_EQ(h.text(minutesWaitedLabel), "0");
    EXPECT_TRUE(ui().messages.empty());
    EXPECT_TRUE(h.desktop.processes.attempts.empty());
}

struct BusyCase {
    const char* name;
    std::function<void(testing::MemoryFileSystem&)> arrange;
    const char* outputBusyMark;
    const char* vafBusyMark;
    bool arms;
};

TEST(WaitCycleStartTest, StartMarksEachBusyFileAndArmsOnlyWhenOneIs) {
    const std::string m = kMark;
    const auto hold = [](testing::MemoryFileSystem& f, const std::string& p) {
        f.addFile(p);
        f.hold(p);
    };
    // clang-format off
    const BusyCase cases[] = {
        {"both held", [&](auto& f) { hold(f, kVaf); hold(f, kOutput); }, m.c_str(), m.c_str(), true},
        {"only the VAF file held", [&](auto& f) { hold(f, kVaf); f.addFile(kOutput); }, "", m.c_str(), true},
        {"output held, no VAF file", [&](auto& f) { hold(f, kOutput); }, m.c_str(), "", true},
        {"output is a folder", [&](auto& f) { f.addDirectory(kOutput); }, m.c_str(), "", true},
        {"both free", [&](auto& f) { f.addFile(kVaf); f.addFile(kOutput); }, "", "", false},
        {"both missing", [](auto&) {}, "", "", false},
        {"VAF missing, output free", [&](auto& f) { f.addFile(kOutput); }, "", "", false},
        {"VAF free, output missing", [&](auto& f) { f.addFile(kVaf); }, "", "", false},
    };
    // clang-format on
    for (const BusyCase& c : cases) {
        SCOPED_TRACE(c.name);
        Program p;
        c.arrange(p.files());
        // Marks left from before must not survive a failed start.
        p.h.control(outputBusyMark).setText(kBusyMark);
        p.h.control(vafBusyMark).setText(kBusyMark);

        p.click(startButton);

        EXPECT_EQ(p.h.text(outputBusyMark), c.outputBusyMark);
        EXPECT_EQ(p.h.text(vafBusyMark), c.vafBusyMark);
        EXPECT_EQ(p.h.text(startButton), c.arms ? "Cancel" : "Start Waiting");
        if (c.arms) {
            EXPECT_TRUE(p.ui().messages.empty());
        } else {
            ASSERT_EQ(p.ui().messages.size(), 1u);
            EXPECT_EQ(p.ui().messages[0].text, workflow::kNothingBusyMessage);
        }
    }
}

TEST_F(WaitCycleTest, ChecksRunInTheirOrderAndTheFirstFailureEndsTheClick) {
    // Everything wrong at once; each step mends one thing and meets the next message.
    check(dropFrameCheck, CheckState::Clear);
    check(noOptionsCheck, CheckState::Clear);
    h.window().type(pulldownPathBox, "");
    watch("", "");

    struct Step {
        const char* name;
        std::function<void()> mend;
        std::string_view message;
        bool minutesReset;
    };
    // clang-format off
    const Step steps[] = {
        {"no option", [] {}, workflow::kNoOptionChosen, false},
        {"greyed counts as chosen; empty pulldown path", [&] { check(noOptionsCheck, CheckState::Greyed); },
         workflow::kInvalidPullPathMessage, true},
        {"pulldown path names nothing", [&] { h.window().type(pulldownPathBox, "C:\\Tools\\gone.exe"); },
         workflow::kInvalidPullPathMessage, true},
        {"no output path", [&] { h.window().type(pulldownPathBox, kPull); }, workflow::kNoOutputFileMessage, true},
        {"nothing busy", [&] { watch(kOutput, kVaf); }, workflow::kNothingBusyMessage, true},
    };
    // clang-format on
    std::size_t shown = 0;
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        s.mend();
        h.control(minutesWaitedLabel).setText("7");

        click(startButton);

        ASSERT_EQ(ui().messages.size(), ++shown);
        const testing::ShownMessage& box = ui().messages.back();
        EXPECT_EQ(box.text, s.message);
        EXPECT_EQ(box.title, "Error");
        EXPECT_EQ(box.icon, MessageIcon::Warning);
        EXPECT_EQ(box.owner, "MainWindow");
        EXPECT_EQ(h.text(minutesWaitedLabel), s.minutesReset ? "0" : "7");
        EXPECT_EQ(h.text(startButton), "Start Waiting");
        EXPECT_TRUE(h.control(outputPathBox).enabled());
    }

    encoderWrites(kOutput);
    click(startButton);
    EXPECT_EQ(ui().messages.size(), shown);
    EXPECT_EQ(h.text(startButton), "Cancel");
    EXPECT_TRUE(ui().awake == std::vector<bool>{true});
    EXPECT_TRUE(h.desktop.processes.attempts.empty());
}

TEST_F(WaitCycleTest, ATickDuringAFailedStartsBoxFindsTheWaitUnarmed) {
    ui().whileModal = [&] { tick(); };
    click(startButton);  // both files missing
    ASSERT_EQ(ui().messages.size(), 1u);
    tick();
    // Armed, these two free ticks would have started the run and ended the program.
    EXPECT_TRUE(h.desktop.processes.attempts.empty());
    EXPECT_FALSE(ended());
    EXPECT_EQ(h.text(minutesWaitedLabel), "0");
}

// --- Cancel and the switch -------------------------------------------------

TEST_F(WaitCycleTest, CancelRestoresTheIdleLookWithoutAMessage) {
    encoderWrites(kVaf);
    startWaitingOn(kOutput);
    tick();
    tick();
    ASSERT_EQ(h.text(minutesWaitedLabel), "1");
    ASSERT_EQ(h.text(vafBusyMark), kMark);

    click(startButton);

    expectIdleLook();
    EXPECT_TRUE(ui().messages.empty());
    tick();  // the encoder still holds both files: an armed tick would mark them
    expectIdleLook();
}

TEST_F(WaitCycleTest, TheButtonsCaptionAloneDecidesBetweenStartAndCancel) {
    encoderWrites(kOutput);
    h.control(startButton).setText("Click Here!!");
    click(startButton);  // idle, but not "Start Waiting": a cancel
    expectIdleLook();

    click(startButton);
    tick();
    tick();
    tick();
    ASSERT_EQ(h.text(minutesWaitedLabel), "2");
    h.control(startButton).setText("Start Waiting");
    click(startButton);  // armed, but reading "Start Waiting": a fresh start
    EXPECT_EQ(h.text(startButton), "Cancel");
    EXPECT_EQ(h.text(minutesWaitedLabel), "0");
    tick();  // counted from zero again
    EXPECT_EQ(h.text(minutesWaitedLabel), "0");

    h.control(startButton).setText("start waiting");  // the comparison is case-sensitive
    click(startButton);
    expectIdleLook();
}

// --- Ticks -----------------------------------------------------------------

TEST_F(WaitCycleTest, ATickWhileIdleShowsNothing) {
    h.control(minutesWaitedLabel).setText("7");
    tick();
    EXPECT_EQ(h.text(minutesWaitedLabel), "7");
}

TEST_F(WaitCycleTest, TheSecondFreeTickInARowStartsTheRunsAndEndsTheProgram) {
    check(noOptionsCheck, CheckState::Ticked);
    encoderWrites(kVaf);
    startWaitingOn(kOutput);
    click(aboutItem);
    encoderLetsGo(kVaf);
    encoderLetsGo(kOutput);

    tick();
    EXPECT_EQ(h.text(startButton), "Cancel");
    EXPECT_EQ(h.text(outputBusyMark), "");
    EXPECT_EQ(h.text(vafBusyMark), "");

    tick();
    // The order is behaviour: the drop-frame run starts first.
    EXPECT_EQ(h.startedLines(), (std::vector<std::string>{kDropRun, kNoDropRun}));
    for (const auto& run : h.desktop.processes.started) EXPECT_EQ(run.style, ShowStyle::MinimizedFocus);
    EXPECT_FALSE(h.window().isOpen());
    EXPECT_TRUE(ended());
    EXPECT_FALSE(ui().running());
    EXPECT_TRUE(ui().messages.empty());

    tick();  // nothing reaches an ended program
    EXPECT_EQ(h.desktop.processes.attempts.size(), 2u);
}

TEST_F(WaitCycleTest, ARunThatCannotStartStillEndsTheProgramAndLetsTheMachineSleepMeanwhile) {
    check(noOptionsCheck, CheckState::Ticked);
    h.desktop.processes.failing.insert(kDropRun);
    startWaitingOn(kOutput);
    encoderLetsGo(kOutput);
    tick();
    std::vector<bool> awakeDuringBox;
    ui().whileModal = [&] { awakeDuringBox = ui().awake; };
    tick();

    EXPECT_EQ(awakeDuringBox, (std::vector<bool>{true, false}));
    EXPECT_EQ(h.desktop.processes.attempts, (std::vector<std::string>{kDropRun, kNoDropRun}));  // drop frame first
    EXPECT_EQ(ui().messages.size(), 1u);
    EXPECT_TRUE(ended());
}

TEST_F(WaitCycleTest, AWatchedFileDeletedMidWaitCountsAsNotBusy) {
    startWaitingOn(kOutput);
    tick();
    files().remove(kOutput);
    tick();
    EXPECT_EQ(h.text(outputBusyMark), "");
    tick();
    // No test of its own before the launch: a missing output file starts the runs anyway.
    EXPECT_EQ(h.startedLines(), std::vector<std::string>{kDropRun});
    EXPECT_TRUE(ui().messages.empty());
    EXPECT_TRUE(ended());
}

struct OptionCase {
    CheckState drop;
    CheckState noDrop;
    std::vector<std::string> runs;
};

TEST(WaitCycleEndTest, OptionsAreReadAtTheEndAndOnlyTickedBoxesRun) {
    // clang-format off
    const OptionCase cases[] = {
        {CheckState::Clear, CheckState::Clear, {}},  // cleared during the wait
        {CheckState::Greyed, CheckState::Clear, {}},
        {CheckState::Greyed, CheckState::Ticked, {kNoDropRun}},
        {CheckState::Ticked, CheckState::Greyed, {kDropRun}},
    };
    // clang-format on
    for (const OptionCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.drop) * 10 + static_cast<int>(c.noDrop));
        Program p;
        // A greyed box arms the wait as well as a ticked one.
        p.check(dropFrameCheck, c.drop == CheckState::Clear ? CheckState::Greyed : c.drop);
        p.check(noOptionsCheck, c.noDrop);
        p.startWaitingOn(kOutput);

        p.check(dropFrameCheck, c.drop);
        p.encoderLetsGo(kOutput);
        p.tick();
        p.tick();

        EXPECT_EQ(p.h.startedLines(), c.runs);
        EXPECT_TRUE(p.ui().messages.empty());
        EXPECT_TRUE(p.ended());
        EXPECT_FALSE(p.h.window().isOpen());
    }
}

// Closing the window, or File > Exit, armed or not, starts no run: a tick
// that comes after it, with the encoder gone, finds nothing left to start.
TEST(WaitCycleEndTest, TheEndOfTheSessionStartsNoRun) {
    for (const bool armed : {false, true}) {
        for (const bool exit : {false, true}) {
            SCOPED_TRACE(std::string(armed ? "waiting, " : "idle, ") + (exit ? "File > Exit" : "close box"));
            Program p;
            if (armed) {
                p.startWaitingOn(kOutput);
                p.encoderLetsGo(kOutput);
                p.tick();
            }
            if (exit) {
                p.click(exitItem);
            } else {
                p.h.window().pressCloseBox();
            }
            p.tick();
            EXPECT_TRUE(p.h.desktop.processes.attempts.empty());
            EXPECT_TRUE(p.ui().messages.empty());
            EXPECT_FALSE(p.h.window().isOpen());
            EXPECT_FALSE(p.ui().running());
            EXPECT_EQ(p.ended(), exit);
        }
    }
}

// --- Other events during the wait ------------------------------------------

TEST_F(WaitCycleTest, APathPickedWithTheOutputBrowseButtonDuringTheWaitIsWhatTheNextTicksWatch) {
    startWaitingOn(kOutput);
    encoderWrites(kOtherOutput);
    ui().dialogAnswers = {kOtherVaf};  // picking the VAF file selects its stream
    click(browseOutputButton);
    ASSERT_EQ(h.text(outputPathBox), kOtherOutput);
    ASSERT_EQ(h.text(vafPathBox), kOtherVaf);

    encoderLetsGo(kOutput);
    tick();
    EXPECT_EQ(h.text(outputBusyMark), kMark);

    encoderLetsGo(kOtherOutput);
    tick();
    tick();
    EXPECT_EQ(h.startedLines(), std::vector<std::string>{"\"C:\\Tools\\pulldown.exe\" D:\\Video\\other.m2v "
                                                         "D:\\Video\\pulled_drop.m2v -prog_frames p -drop_frame true"});
    EXPECT_TRUE(ended());
}

TEST_F(WaitCycleTest, PulldownNowDuringTheWaitRunsAtOnceAndTheWaitGoesOn) {
    startWaitingOn(kOutput);
    tick();
    click(pulldownNowItem);
    EXPECT_EQ(h.startedLines(), std::vector<std::string>{kDropRun});
    EXPECT_EQ(h.text(startButton), "Cancel");
    EXPECT_TRUE(ui().messages.empty());

    encoderLetsGo(kOutput);
    tick();
    tick();
    EXPECT_EQ(h.startedLines(), (std::vector<std::string>{kDropRun, kDropRun}));
    EXPECT_TRUE(ended());
}

// --- Runs that must not start ----------------------------------------------

// A run whose output is its own input, or a run with no input at all, is told
// and refused wherever it would start: Pulldown Now still starts the other
// run, the start click leaves the wait unarmed, and the wait's end (the path
// picked anew meanwhile) starts only the other run and ends the program.
TEST(RefusedRunTest, ARunOverItsOwnInputOrWithoutOneStartsAtNoMoment) {
    struct Row {
        const char* what;
        std::string output;
        std::string reason;
        std::vector<std::string> others;  // the runs that still start
        bool picked = true;               // also picked with the browse button during the wait
    };
    const std::string kNoDropOverDrop =
        "\"C:\\Tools\\pulldown.exe\" D:\\Video\\PULLED_Drop.M2V "
        "D:\\Video\\pulled_nodrop.m2v -prog_frames p";
    const std::string kDropOverNoDrop =
        "\"C:\\Tools\\pulldown.exe\" D:\\Video\\pulled_nodrop.m2v. "
        "D:\\Video\\pulled_drop.m2v -prog_frames p -drop_frame true";
    const std::string kOverwrites =
        " is the file this pulldown run writes, and it would be overwritten. Rename the output file, or untick ";
    const std::string kDropBox = "\"Run Pulldown with Drop Frame (pulled_drop.m2v)\".";
    const Row rows[] = {
        {"drop frame over its input, in another case",
         "D:\\Video\\PULLED_Drop.M2V",
         kOverwrites + kDropBox,
         {kNoDropOverDrop}},
        {"no options over its input, with the dot Windows drops",
         "D:\\Video\\pulled_nodrop.m2v.",
         kOverwrites + "\"Run Pulldown with no options (pulled_nodrop.m2v)\".",
         {kDropOverNoDrop}},
        {"drop frame over its input, naming its own box",
         "D:\\Video\\pulled_drop.m2v",
         kOverwrites + kDropBox,
         {"\"C:\\Tools\\pulldown.exe\" D:\\Video\\pulled_drop.m2v D:\\Video\\pulled_nodrop.m2v -prog_frames p"}},
        {"no extension, so no input",
         "D:\\Video\\movie",
         " has no extension, so pulldown.exe would get no input. Give its name an extension, such as .m2v.",
         {}},
        {"a typed ECL file (a picked one becomes the stream)",
         "\\\\nas\\enc/movie.Ecl",
         " is not the encoder's video but its ECL or VAF file. Give the video it writes instead, such as "
         "\"\\\\nas\\enc/movie.m2v\".",
         {},
         false},
    };
    const auto toldOnce = [](Program& p, const Row& row) {
        ASSERT_EQ(p.ui().messages.size(), 1u);
        EXPECT_EQ(p.ui().messages[0].text, "The CCE output file \"" + row.output + '"' + row.reason);
        EXPECT_EQ(p.ui().messages[0].title, "Error");
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Program now;
        now.check(noOptionsCheck, CheckState::Ticked);
        now.watch(row.output, kVaf);
        now.files().addFile(row.output);
        now.click(pulldownNowItem);
        toldOnce(now, row);
        EXPECT_EQ(now.h.startedLines(), row.others);

        Program start;
        start.check(noOptionsCheck, CheckState::Ticked);
        start.watch(row.output, kVaf);
        start.encoderWrites(row.output);
        start.encoderWrites(kVaf);
        start.click(startButton);
        toldOnce(start, row);
        start.expectIdleLook();
        EXPECT_TRUE(start.h.desktop.processes.attempts.empty());
        if (!row.picked) continue;

        Program end;
        end.check(noOptionsCheck, CheckState::Ticked);
        end.startWaitingOn(kOutput);
        end.ui().dialogAnswers = {row.output};
        end.click(browseOutputButton);
        end.files().addFile(row.output);
        end.encoderLetsGo(kOutput);
        end.tick();
        end.tick();
        toldOnce(end, row);
        EXPECT_EQ(end.h.startedLines(), row.others);
        EXPECT_TRUE(end.ended());
    }
}

// --- Ticks that fall due inside a modal box or dialog ----------------------

TEST_F(WaitCycleTest, ATickDuringPulldownNowsBoxRunsAfterTheBoxClosesAndMayEndTheProgram) {
    startWaitingOn(kOutput);
    encoderLetsGo(kOutput);
    tick();
    check(dropFrameCheck, CheckState::Clear);  // Pulldown Now will complain

    bool sawBox = false;
    ui().whileModal = [&] {
        tick();
        tick();  // several fall-due ticks collapse into one
        sawBox = true;
        EXPECT_TRUE(h.window().isOpen());
        EXPECT_FALSE(ended());
        EXPECT_EQ(h.text(minutesWaitedLabel), "0");
    };
    click(pulldownNowItem);

    ASSERT_TRUE(sawBox);
    ASSERT_EQ(ui().messages.size(), 1u);
    EXPECT_EQ(ui().messages[0].text, workflow::kNoOptionChosen);
    EXPECT_TRUE(ended());
    EXPECT_FALSE(h.window().isOpen());
    EXPECT_TRUE(h.desktop.processes.attempts.empty());
}

TEST_F(WaitCycleTest, ATickDuringABrowseDialogRunsAfterItOnThePickedPath) {
    startWaitingOn(kOutput);
    encoderLetsGo(kOutput);
    encoderWrites(kOtherOutput);
    ui().dialogAnswers = {kOtherOutput};
    ui().whileModal = [&] {
        tick();
        EXPECT_EQ(h.text(outputBusyMark), kMark);
    };
    click(browseOutputButton);
    ASSERT_EQ(ui().dialogs.size(), 1u);

    // Had the tick run inside the dialog it would have found the old file free.
    EXPECT_EQ(h.text(outputBusyMark), kMark);
}

TEST_F(WaitCycleTest, ATickDuringThePulldownPathDialogCannotEndTheProgramInsideIt) {
    startWaitingOn(kOutput);
    encoderLetsGo(kOutput);
    tick();
    ui().whileModal = [&] {
        tick();
        EXPECT_TRUE(h.window().isOpen());
        EXPECT_FALSE(ended());
    };
    click(browsePulldownButton);
    ASSERT_EQ(ui().dialogs.size(), 1u);
    EXPECT_TRUE(ended());
    EXPECT_EQ(h.startedLines(), std::vector<std::string>{kDropRun});
}

// --- Keeping the computer awake ---------------------------------------------

TEST(WaitCycleAwakeTest, TheComputerIsKeptAwakeExactlyWhileTheWaitIsArmed) {
    struct Case {
        const char* name;
        std::function<void(Program&)> run;
        std::vector<bool> awake;
    };
    // clang-format off
    const Case cases[] = {
        {"failed start", [](Program& p) { p.click(startButton); }, {}},
        {"start, cancel",
         [](Program& p) {
             p.startWaitingOn(kOutput);
             p.click(startButton);
         },
         {true, false}},
        {"start, cancel, start",
         [](Program& p) {
             p.startWaitingOn(kOutput);
             p.click(startButton);
             p.click(startButton);
         },
         {true, false, true}},
        {"start, restart by caption",
         [](Program& p) {
             p.startWaitingOn(kOutput);
             p.h.control(startButton).setText("Start Waiting");
             p.click(startButton);
         },
         {true}},
        {"completion",
         [](Program& p) {
             p.startWaitingOn(kOutput);
             p.encoderLetsGo(kOutput);
             p.tick();
             p.tick();
         },
         {true, false}},
        {"close box while idle", [](Program& p) { p.h.window().pressCloseBox(); }, {}},
        {"close box while waiting",
         [](Program& p) {
             p.startWaitingOn(kOutput);
             p.h.window().pressCloseBox();
         },
         {true, false}},
        {"File > Exit while waiting",
         [](Program& p) {
             p.startWaitingOn(kOutput);
             p.click(exitItem);
         },
         {true, false}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Program p;
        c.run(p);
        EXPECT_EQ(p.ui().awake, c.awake);
    }
}

}  // namespace
}  // namespace morvane
