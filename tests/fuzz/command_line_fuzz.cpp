// Any tool path and output path: every command line composed for them hands
// the tool, the input and the output back whole under the standard Windows
// reading, and a tool path that no file can have starts nothing.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "command_line_rules.h"
#include "main_window_harness.h"
#include "workflow/path_derivation.h"
#include "workflow/pulldown_command.h"

namespace {

using namespace morvane;

void require(bool condition) {
    if (!condition) std::abort();
}

// Each path comes back whole; the options follow as single words.
void requireWhole(const std::string& line, const std::string& program, const std::string& input,
                  const std::string& output, workflow::PulldownRun run) {
    const std::vector<std::string> args = testing::splitCommandLine(line);
    const std::vector<std::string> options = run == workflow::PulldownRun::DropFrame
                                                 ? std::vector<std::string>{"-prog_frames", "p", "-drop_frame", "true"}
                                                 : std::vector<std::string>{"-prog_frames", "p"};
    require(args.size() == 3 + options.size());
    require(args[0] == program && args[1] == input && args[2] == output);
    require(std::vector<std::string>(args.begin() + 3, args.end()) == options);
}

}  // namespace

// Texts from edit controls hold no NUL, and a quote cannot be part of a file name.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider provider(data, size);
    const std::string program = provider.ConsumeRandomLengthString(300);
    const std::string folder = provider.ConsumeRandomLengthString(300);
    const std::string file = provider.ConsumeRemainingBytesAsString();
    for (const std::string* part : {&program, &folder, &file})
        if (part->find('\0') != std::string::npos) return -1;

    if (program.find('"') == std::string::npos) {
        for (const auto run : {workflow::PulldownRun::DropFrame, workflow::PulldownRun::NoOptions}) {
            const std::string output =
                folder + (run == workflow::PulldownRun::DropFrame ? "pulled_drop.m2v" : "pulled_nodrop.m2v");
            requireWhole(platform::commandLineOf(program, workflow::pulldownArguments(folder, file, run)), program,
                         folder + file, output, run);
        }
    }

    // The same through the window: Pulldown Now on whatever the boxes hold.
    testing::MainWindowHarness h;
    h.start();
    const std::string outputPath = folder + file;
    h.desktop.files.addFile(outputPath);
    h.window().type(main_window::pulldownPathBox, program);
    h.window().type(main_window::outputPathBox, outputPath);
    h.control(main_window::dropFrameCheck).setCheckState(platform::CheckState::Ticked);
    h.control(main_window::noOptionsCheck).setCheckState(platform::CheckState::Ticked);
    h.window().click(main_window::pulldownNowItem);
    const auto& attempts = h.desktop.processes.attempts;
    const auto [outFolder, outFileName, vafFileName] = workflow::deriveOutputPaths(h.text(main_window::outputPathBox));
    if (outputPath.empty() || outputPath.back() == '\\' || outputPath.back() == '/' || outFileName.empty() ||
        workflow::namesVafOrEcl(outFileName)) {
        require(attempts.empty());  // names no file, or gives no input, or no video
        return 0;
    }
    std::size_t next = 0;
    for (const auto run : {workflow::PulldownRun::DropFrame, workflow::PulldownRun::NoOptions}) {
        if (workflow::sameFileName(outFileName, workflow::outputName(run))) continue;  // would overwrite its input
        require(next < attempts.size());
        requireWhole(attempts[next++], program, outFolder + outFileName,
                     outFolder + std::string(workflow::outputName(run)), run);
    }
    require(next == attempts.size());
    return 0;
}
