#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "main_window/form1_layout.h"
#include "platform/platform.h"
#include "workflow/pulldown_command.h"

namespace morvane::about {
class FrmAbout;
}

namespace morvane {

// The main window. Its handlers carry the program's logic; each subsystem
// keeps its handlers in its own folder (workflow/ for the wait, the paths and
// the launch).
class Form1 final : public platform::WindowEvents {
public:
    Form1(platform::Platform& platform, about::FrmAbout& about);
    ~Form1();
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // Creates the window, runs its load and shows it.
    void show();

    [[nodiscard]] platform::Window& window() { return *window_; }
    [[nodiscard]] bool isOpen() const { return window_ && window_->isOpen(); }

    // The window's own state, for the tests to read.
    [[nodiscard]] bool waiting() const { return waiting_; }
    [[nodiscard]] double minutesWaited() const { return minutesWaited_; }
    [[nodiscard]] std::int16_t freeTicks() const { return freeTicks_; }
    [[nodiscard]] const std::string& outFolder() const { return outFolder_; }
    [[nodiscard]] const std::string& outFileName() const { return outFileName_; }
    [[nodiscard]] const std::string& vafFileName() const { return vafFileName_; }

    // Starts the ticked pulldown runs.
    void StartPulldown();

private:
    // WindowEvents: dispatch to the handlers below.
    void onLoad() override;
    void onCloseRequest() override;
    void onClick(platform::ControlId id) override;
    void onTextChange(platform::ControlId id) override;
    void onTimer() override;

    // Startup, menus and shutdown.
    void formLoad();
    void formCloseRequest();
    void mnuAboutClick();
    void mnuExitClick();

    // Workflow: the pulldown launch (workflow/pulldown_launch.cpp).
    void mnuPullNowClick();
    [[nodiscard]] std::vector<workflow::PulldownRun> tickedRuns();
    // Why the ticked runs cannot go ahead as the paths stand, if they cannot.
    [[nodiscard]] std::optional<std::string> inputRefusal();
    [[nodiscard]] std::optional<std::string> overwriteRefusal(workflow::PulldownRun run);
    [[nodiscard]] std::optional<std::string> firstRefusal();

    // Workflow: the wait cycle (workflow/wait_cycle.cpp).
    void cmdGoClick();
    void startWaiting();
    void cancelWaiting();
    void timer1Tick();
    [[nodiscard]] bool watchedFileBusy(platform::ControlId pathBox);
    bool markBusyFiles();
    void holdSystemAwake(bool on);
    void waitCycleWindowClosing();
    bool systemAwakeHeld_ = false;

    // Workflow: path selection (workflow/path_selection.cpp).
    void cmdPullPathClick();
    void command1Click();
    void txtMPathChange();

    void showIdleState();
    void error(std::string_view message);
    platform::Control& ctl(platform::ControlId id) { return window_->control(id); }

    platform::Platform& platform_;
    about::FrmAbout& about_;
    std::unique_ptr<platform::Window> window_;

    bool waiting_ = false;
    double minutesWaited_ = 0.0;
    std::int16_t freeTicks_ = 0;
    std::string outFolder_;
    std::string outFileName_;
    std::string vafFileName_;
};

}  // namespace morvane
