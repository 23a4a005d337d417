#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "main_window_harness.h"
#include "workflow/path_derivation.h"

namespace morvane {
namespace {

using namespace main_window;
using testing::MainWindowHarness;

constexpr const char* kUnchanged = nullptr;

struct DerivationRow {
    const char* text;
    const char* outFolder;
    const char* outFileName;
    const char* vafFileName;
    const char* vafBox;  // kUnchanged: vafPathBox keeps what it held
};

// Each row starts from a derived state, so that "empty" and "unchanged" show.
TEST(PathDerivationTest, EveryChangeOfTheOutputPathFollowsTheTable) {
    const DerivationRow rows[] = {
        {R"(C:\enc\film.m2v)", R"(C:\enc\)", "film.m2v", "film.vaf", R"(C:\enc\film.vaf)"},
        {"film.m2v", "", "film.m2v", "film.vaf", "film.vaf"},
        {R"(C:\enc\a.b.m2v)", R"(C:\enc\)", "a.b.m2v", "a.b.vaf", R"(C:\enc\a.b.vaf)"},
        {R"(C:\enc\film.)", R"(C:\enc\)", "film.", "film.vaf", R"(C:\enc\film.vaf)"},
        {R"(C:\enc\.m2v)", R"(C:\enc\)", ".m2v", ".vaf", R"(C:\enc\.vaf)"},
        {R"(C:\enc\FILM.M2V)", R"(C:\enc\)", "FILM.M2V", "FILM.vaf", R"(C:\enc\FILM.vaf)"},
        // Windows takes a forward slash for a separator too: the last of either splits.
        {"C:/enc/film.m2v", "C:/enc/", "film.m2v", "film.vaf", "C:/enc/film.vaf"},
        {R"(C:/enc\sub/film.m2v)", R"(C:/enc\sub/)", "film.m2v", "film.vaf", R"(C:/enc\sub/film.vaf)"},
        {"//server/share/clip.mpv", "//server/share/", "clip.mpv", "clip.vaf", "//server/share/clip.vaf"},
        {R"(C:\enc.d\film)", "", "", "", kUnchanged},
        {R"(C:\enc\)", "", "", "", kUnchanged},
        {"", "", "", "", kUnchanged},
        // Not from the table: non-ASCII names and a backslash pair.
        {"D:\\Видео\\фильм.m2v", "D:\\Видео\\", "фильм.m2v", "фильм.vaf", "D:\\Видео\\фильм.vaf"},
        {R"(\\server\share\clip.mpv)", R"(\\server\share\)", "clip.mpv", "clip.vaf", R"(\\server\share\clip.vaf)"},
    };
    for (const DerivationRow& row : rows) {
        SCOPED_TRACE(row.text);
        MainWindowHarness h;
        h.start();
        h.window().type(outputPathBox, R"(X:\prior\prior.mpg)");
        h.control(vafPathBox).setText("restored.vaf");
        h.window().type(outputPathBox, row.text);
        const workflow::OutputPaths paths = workflow::deriveOutputPaths(row.text);
        EXPECT_EQ(paths.outFolder, row.outFolder);
        EXPECT_EQ(paths.outFileName, row.outFileName);
        EXPECT_EQ(paths.vafFileName, row.vafFileName);
        EXPECT_EQ(h.text(vafPathBox), row.vafBox ? row.vafBox : "restored.vaf");
    }
}

TEST(PathDerivationTest, TypingRederivesOnEveryKeystroke) {
    MainWindowHarness h;
    h.start();
    h.control(vafPathBox).setText(R"(C:\restored\x.vaf)");
    h.window().type(outputPathBox, R"(C:\e\f)");
    EXPECT_EQ(h.text(vafPathBox), R"(C:\restored\x.vaf)");
    h.window().type(outputPathBox, R"(C:\e\f.)");
    EXPECT_EQ(h.text(vafPathBox), R"(C:\e\f.vaf)");
    h.window().type(outputPathBox, R"(C:\e\f.m)");
    EXPECT_EQ(h.text(vafPathBox), R"(C:\e\f.vaf)");
    h.window().type(outputPathBox, R"(C:\e\g.m)");
    EXPECT_EQ(h.text(vafPathBox), R"(C:\e\g.vaf)");
}

// The system's edit control reports a change when the same text is set again;
// that must not overwrite a VAF path restored after the output path.
TEST(PathDerivationTest, AChangeReportWithTheSameTextIsNoChange) {
    MainWindowHarness h;
    h.start();
    h.window().type(outputPathBox, R"(C:\enc\film.m2v)");
    h.control(vafPathBox).setText(R"(C:\elsewhere\film.vaf)");
    h.window().raiseTextChange(outputPathBox);
    EXPECT_EQ(h.text(vafPathBox), R"(C:\elsewhere\film.vaf)");
}

TEST(PathDerivationTest, TextsLongerThan32766CharactersAreDerivedAlike) {
    const std::string folder = "C:\\" + std::string(40000, 'd') + "\\";
    const workflow::OutputPaths paths = workflow::deriveOutputPaths(folder + "film.m2v");
    EXPECT_EQ(paths.outFolder, folder);
    EXPECT_EQ(paths.outFileName, "film.m2v");
    EXPECT_EQ(paths.vafFileName, "film.vaf");

    const std::string name = std::string(40000, 'n') + ".m2v";
    EXPECT_EQ(workflow::deriveOutputPaths("C:\\" + name).outFileName, name);
}

struct PickRow {
    const char* picked;
    const char* outputBox;
    const char* vafBox;
};

TEST(EncoderBrowseTest, PickedFilesBecomeTheOutputPath) {
    const PickRow rows[] = {
        {R"(D:\enc\film.VAF)", R"(D:\enc\film.m2v)", R"(D:\enc\film.vaf)"},
        {R"(D:\enc\film.ecl)", R"(D:\enc\film.m2v)", R"(D:\enc\film.vaf)"},
        {R"(D:\enc\film.Vaf)", R"(D:\enc\film.m2v)", R"(D:\enc\film.vaf)"},
        {R"(D:\enc\film.eCl)", R"(D:\enc\film.m2v)", R"(D:\enc\film.vaf)"},
        {R"(D:\enc\film.mpeg)", R"(D:\enc\film.mpeg)", R"(D:\enc\film.vaf)"},
        {R"(D:\enc\film.M2V)", R"(D:\enc\film.M2V)", R"(D:\enc\film.vaf)"},
        {R"(D:\enc\film.vaf.mpg)", R"(D:\enc\film.vaf.mpg)", R"(D:\enc\film.vaf.vaf)"},
        {".vaf", ".m2v", ".vaf"},
        {"D:\\Фильмы\\кино.VAF", "D:\\Фильмы\\кино.m2v", "D:\\Фильмы\\кино.vaf"},
    };
    for (const PickRow& row : rows) {
        SCOPED_TRACE(row.picked);
        MainWindowHarness h;
        h.start();
        h.desktop.ui.dialogAnswers = {row.picked};
        h.window().click(browseOutputButton);
        EXPECT_EQ(h.text(outputPathBox), row.outputBox);
        EXPECT_EQ(h.text(vafPathBox), row.vafBox);
    }
}

TEST(EncoderBrowseTest, OpensTheDialogWithItsSettings) {
    MainWindowHarness h;
    h.start();
    h.window().type(outputPathBox, R"(C:\enc\film.m2v)");
    h.window().click(browseOutputButton);
    ASSERT_EQ(h.desktop.ui.dialogs.size(), 1u);
    const auto& call = h.desktop.ui.dialogs[0];
    EXPECT_EQ(call.request.title, "Open");
    EXPECT_EQ(call.request.filter, "CCE Related Files|*.mpg;*.mpeg;*.m2v;*.mpv;*.vaf;*.ecl");
    EXPECT_EQ(call.request.fileName, "");
    EXPECT_EQ(call.owner, "MainWindow");
}

TEST(EncoderBrowseTest, CancelChangesNothing) {
    MainWindowHarness h;
    h.start();
    h.window().type(outputPathBox, R"(C:\enc\film.m2v)");
    h.control(vafPathBox).setText(R"(C:\other\x.vaf)");
    h.window().click(browseOutputButton);  // no answer scripted: cancelled
    EXPECT_EQ(h.text(outputPathBox), R"(C:\enc\film.m2v)");
    EXPECT_EQ(h.text(vafPathBox), R"(C:\other\x.vaf)");
}

struct OfferRow {
    const char* pullPath;
    bool exists;
    bool offered;
};

TEST(PulldownBrowseTest, OffersTheCurrentPathOnlyWhenItIsAnExistingPulldown) {
    const OfferRow rows[] = {
        {R"(C:\Tools\PullDown.exe)", true, true},
        {R"(C:\Tools\pulldown.exe)", true, true},
        {R"(C:\Tools\mypulldown.exe)", true, true},  // only the last 12 characters count
        {"PULLDOWN.EXE", true, true},
        {R"(C:\Tools\pd.exe)", true, false},
        {R"(C:\Tools\pulldown.exe)", false, false},
        {"ulldown.exe", true, false},
        {R"(C:\Tools\pulldown.exe.bak)", true, false},
        {"", false, false},
    };
    for (const OfferRow& row : rows) {
        SCOPED_TRACE(row.pullPath);
        MainWindowHarness h;
        if (row.exists) h.desktop.files.addFile(row.pullPath);
        h.start();
        h.window().type(pulldownPathBox, row.pullPath);
        h.window().click(browsePulldownButton);
        ASSERT_EQ(h.desktop.ui.dialogs.size(), 1u);
        const auto& call = h.desktop.ui.dialogs[0];
        EXPECT_EQ(call.request.title, "Open");
        EXPECT_EQ(call.request.filter, "Executable|*.exe");
        EXPECT_EQ(call.request.fileName, row.offered ? row.pullPath : "");
        EXPECT_EQ(call.owner, "MainWindow");
        EXPECT_EQ(h.text(pulldownPathBox), row.pullPath);  // cancelled
    }
}

TEST(PulldownBrowseTest, TakesThePickedPathUntested) {
    MainWindowHarness h;
    h.start();
    h.window().type(pulldownPathBox, R"(C:\Tools\pulldown.exe)");
    h.desktop.ui.dialogAnswers = {"E:\\Инструменты\\tool.exe"};
    h.window().click(browsePulldownButton);
    EXPECT_EQ(h.text(pulldownPathBox), "E:\\Инструменты\\tool.exe");
}

}  // namespace
}  // namespace morvane
