#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "main_window_harness.h"
#include "workflow/workflow_constants.h"

namespace morvane {
namespace {

using namespace main_window;
using testing::MainWindowHarness;

const std::string kTool = "C:\\Tools\\pulldown.exe";
const std::string kOutput = "D:\\Video\\movie.m2v";

struct Row {
    std::vector<std::string> handed;
    std::string pulldownBox;  // "" : left as the settings had it
    std::string outputBox;
    std::string message;  // "" : none
    bool armed = false;
};

// A drop and the command line place files by one rule; what the command line
// adds is its switch.
void expectRow(MainWindowHarness& h, const Row& row) {
    EXPECT_EQ(h.text(pulldownPathBox), row.pulldownBox.empty() ? kTool : row.pulldownBox);
    EXPECT_EQ(h.text(outputPathBox), row.outputBox.empty() ? kOutput : row.outputBox);
    EXPECT_EQ(h.desktop.ui.messages.empty() ? "" : h.desktop.ui.messages[0].text, row.message);
    EXPECT_EQ(h.form.waiting(), row.armed);
}

void storeSettings(MainWindowHarness& h) {
    h.desktop.registry.putText(platform::kHkeyCurrentUser, std::string(settings::kSettingsPath), "txtPullPath", kTool);
    h.desktop.registry.putText(platform::kHkeyCurrentUser, std::string(settings::kSettingsPath), "txtMPath", kOutput);
    h.desktop.files.addFile(kTool);
    h.desktop.files.addFile(kOutput);
    h.desktop.files.hold(kOutput);
    h.desktop.files.addDirectory("D:\\Video");
}

TEST(HandedFilesTest, EachFileGoesWhereItsBrowseButtonWouldPutIt) {
    const std::string oneOutput(workflow::kOneOutputOnly);
    const Row rows[] = {
        {{"E:\\new.m2v"}, "", "E:\\new.m2v"},
        {{"E:\\t\\PULLDOWN.Exe", "E:\\new.VAF"}, "E:\\t\\PULLDOWN.Exe", "E:\\new.m2v"},
        {{"a.exe", "b.EXE"}, "", "", std::string(workflow::kOneProgramOnly)},
        {{"a.m2v", "a.exe", "b.mpv"}, "", "", oneOutput},
        {{"D:\\Video"}, "", "", "\"D:\\Video\"" + std::string(workflow::kIsAFolder)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.handed.front());
        MainWindowHarness dropped;
        storeSettings(dropped);
        dropped.start();
        dropped.window().drop(row.handed);
        expectRow(dropped, row);

        MainWindowHarness named(row.handed);
        storeSettings(named);
        named.start();
        expectRow(named, row);
    }
}

TEST(HandedFilesTest, TheWaitSwitchStartsWaitingAndAnUnknownSwitchIsRefused) {
    const Row rows[] = {
        {{"/wait"}, "", "", "", true},
        {{"-WAIT", "C:\\Tools\\PULLDOWN.EXE"}, "C:\\Tools\\PULLDOWN.EXE", "", "", true},
        {{"/wait", "a.m2v", "b.m2v"}, "", "", std::string(workflow::kOneOutputOnly)},
        {{"E:\\new.m2v", "/x"}, "", "", "Unknown switch \"/x\".\nStart Morvane as: morvane.exe [/wait] [FILE]..."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.handed.front());
        MainWindowHarness h(row.handed);
        storeSettings(h);
        h.start();
        expectRow(h, row);
    }
}

TEST(HandedFilesTest, ADropWhileTheWaitIsArmedIsNotTaken) {
    MainWindowHarness h;
    storeSettings(h);
    h.start();
    EXPECT_TRUE(h.window().acceptsFiles());
    h.window().click(startButton);
    ASSERT_TRUE(h.form.waiting());
    EXPECT_FALSE(h.window().acceptsFiles());
    h.window().drop({"E:\\new.m2v", "a.exe", "b.exe"});
    expectRow(h, {{}, "", "", "", true});
    h.window().click(startButton);
    EXPECT_TRUE(h.window().acceptsFiles());
}

}  // namespace
}  // namespace morvane
