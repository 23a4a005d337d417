#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "main_window_harness.h"
#include "workflow/path_derivation.h"
#include "workflow/workflow_constants.h"

namespace morvane {
namespace {

using namespace main_window;

// A drop and the command line place files by one rule; the command line adds its switch.
TEST(HandedFilesTest, EachFileGoesWhereItsBrowseButtonWouldPutItAndOnlyTheWaitSwitchIsKnown) {
    const std::string tool = "C:\\Tools\\pulldown.exe";
    const std::string output = "D:\\Video\\movie.m2v";
    const struct {
        std::vector<std::string> handed;
        bool dropped;
        std::string pulldownBox, outputBox, message;
        bool armed = false;
    } rows[] = {
        {{"E:\\t\\PULLDOWN.Exe", "E:\\new.VAF"}, true, "E:\\t\\PULLDOWN.Exe", "E:\\new.m2v", ""},
        {{"a.exe", "b.EXE"}, true, tool, output, std::string(workflow::kOneProgramOnly)},
        {{"a.m2v", "a.exe", "b.mpv"}, false, tool, output, std::string(workflow::kOneOutputOnly)},
        {{"D:\\Video"}, true, tool, output, "\"D:\\Video\"" + std::string(workflow::kIsAFolder)},
        {{"-WAIT"}, false, tool, output, "", true},
        {{"E:\\new.m2v", "/x"},
         false,
         tool,
         output,
         "Unknown switch \"/x\".\nStart Morvane as: morvane.exe [/wait] [FILE]..."},
        {{"/?"}, false, tool, output, "Unknown switch \"/?\".\nStart Morvane as: morvane.exe [/wait] [FILE]..."},
        {{"/wait", "/home/x.m2v"}, false, tool, "/home/x.m2v", std::string(workflow::kNothingBusyMessage)},
        {{"new.m2v", "..\\PullDown.exe"}, false, "C:\\Users\\ana\\..\\PullDown.exe", "C:\\Users\\ana\\new.m2v", ""},
        {{"E:\\t\\PULLDOWN.Exe", "E:\\new.VAF"}, false, "E:\\t\\PULLDOWN.Exe", "E:\\new.m2v", ""},
        {{"-1"}, false, tool, "C:\\Users\\ana\\-1", ""},  // a digit after the dash makes a file name
        {{"E:\\system.m2v"}, true, tool, "E:\\system.m2v", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.handed.back());
        testing::MainWindowHarness h(row.dropped ? std::vector<std::string>{} : row.handed);
        for (const auto& [name, path] : {std::pair{"txtPullPath", tool}, {"txtMPath", output}})
            h.desktop.registry.putText(platform::kHkeyCurrentUser, std::string(settings::kSettingsPath), name, path);
        h.desktop.files.addFile(tool);
        h.desktop.files.addFile(output);
        h.desktop.files.hold(output);
        h.desktop.files.addDirectory("D:\\Video");
        h.desktop.files.addFile("E:\\system.m2v", {.system = true});
        h.start();
        if (row.dropped) h.window().drop(row.handed);
        EXPECT_EQ(h.text(pulldownPathBox), row.pulldownBox);
        EXPECT_EQ(h.text(outputPathBox), row.outputBox);
        EXPECT_EQ(h.desktop.ui.messages.empty() ? "" : h.desktop.ui.messages[0].text, row.message);
        EXPECT_EQ(h.text(startButton), row.armed ? "Cancel" : "Start Waiting");
        EXPECT_EQ(h.window().acceptsFiles(), !row.armed);
    }
    // Started from a drive's root, whose name already ends in a separator.
    EXPECT_EQ(workflow::absolutePath("new.m2v", "C:\\"), "C:\\new.m2v");
}

}  // namespace
}  // namespace morvane
