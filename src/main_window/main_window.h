#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "main_window/main_window_layout.h"
#include "platform/platform.h"
#include "workflow/pulldown_command.h"
#include "workflow/wait_cycle.h"

namespace morvane::about {
class AboutWindow;
}

namespace morvane::main_window {

// The main window. Its handlers carry the program's logic, one file per
// concern: load, menus and close here; the path boxes, the files handed over,
// the pulldown runs and the wait each in a file of their own beside it.
class MainWindow final : public platform::WindowEvents {
public:
    // `arguments`: the command line after the program's name, taken once the
    // window is shown.
    MainWindow(platform::Platform& platform, about::AboutWindow& about, std::vector<std::string> arguments = {});
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Creates the window, runs its load and shows it.
    void show();

private:
    // WindowEvents: dispatch to the handlers below.
    void onLoad() override;
    void onShown() override;
    void onCloseRequest() override;
    void onClick(platform::ControlId id) override;
    void onTextChange(platform::ControlId id) override;
    void onTimer() override;
    void onFilesDropped(const std::vector<std::string>& paths) override;

    // Load, menus and close (main_window.cpp).
    void load();
    void closeRequest();
    void showAbout();
    void exitProgram();
    void showIdleState();
    [[nodiscard]] std::string ownPulldownTool();

    // The path boxes (path_boxes.cpp).
    void browsePulldown();
    void browseOutput();
    void outputPathChanged();

    // Files handed over: dropped, or on the command line (taking_files.cpp).
    void takeArguments();
    bool takeFiles(const std::vector<std::string>& paths);

    // The pulldown runs (pulldown_runs.cpp).
    void pulldownNow();
    [[nodiscard]] bool noRunChosen();
    [[nodiscard]] std::vector<workflow::PulldownRun> tickedRuns();
    [[nodiscard]] std::optional<std::string> inputRefusal();
    [[nodiscard]] std::optional<std::string> overwriteRefusal(workflow::PulldownRun run);
    [[nodiscard]] std::optional<std::string> firstRefusal();
    void startPulldownRuns();

    // The wait (waiting.cpp).
    void startOrCancelWaiting();
    void startWaiting();
    void cancelWaiting();
    void tick();
    [[nodiscard]] workflow::FileState watchedFileState(platform::ControlId pathBox);
    [[nodiscard]] workflow::WatchedFiles probeWatchedFiles();
    void showBusyMarks(workflow::WatchedFiles marks);
    void holdSystemAwake(bool on);

    void showError(std::string_view message);
    platform::Control& control(platform::ControlId id) { return window_->control(id); }

    platform::Platform& platform_;
    about::AboutWindow& about_;
    std::unique_ptr<platform::Window> window_;
    std::vector<std::string> arguments_;

    workflow::WaitCycle wait_;
    bool systemAwakeHeld_ = false;
    std::string outFolder_;
    std::string outFileName_;
    std::string vafFileName_;
};

}  // namespace morvane::main_window
