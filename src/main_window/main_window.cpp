#include "main_window/main_window.h"

#include <string>

#include "about/about_window.h"
#include "main_window/main_window_constants.h"
#include "settings/settings_store.h"
#include "workflow/workflow_constants.h"

namespace morvane::main_window {

using platform::ControlId;

MainWindow::MainWindow(platform::Platform& platform, about::AboutWindow& about, std::vector<std::string> arguments)
    : platform_(platform), about_(about), arguments_(std::move(arguments)) {}

MainWindow::~MainWindow() = default;

void MainWindow::show() {
    if (!window_ || !window_->isOpen()) window_ = platform_.ui.createWindow(layout(), *this);
    window_->show();
}

void MainWindow::onLoad() { load(); }

void MainWindow::onShown() { takeArguments(); }

void MainWindow::onCloseRequest() { closeRequest(); }

void MainWindow::onClick(ControlId id) {
    if (id == aboutItem) {
        showAbout();
    } else if (id == exitItem) {
        exitProgram();
    } else if (id == pulldownNowItem) {
        pulldownNow();
    } else if (id == startButton) {
        startOrCancelWaiting();
    } else if (id == browsePulldownButton) {
        browsePulldown();
    } else if (id == browseOutputButton) {
        browseOutput();
    }
}

void MainWindow::onTextChange(ControlId id) {
    if (id == outputPathBox) outputPathChanged();
}

void MainWindow::onTimer() { tick(); }

void MainWindow::onFilesDropped(const std::vector<std::string>& paths) {
    // The path boxes are locked while the wait is armed, and a drop is the
    // quickest way to change them by accident.
    if (!wait_.armed()) takeFiles(paths);
}

void MainWindow::load() {
    platform::centreOnScreen(platform_.ui, *window_);
    window_->setCaption(window_->caption() + " (Version " + platform::versionText(platform_.identity) + ")");

    platform::Timer& timer = window_->timer();
    timer.setEnabled(false);
    timer.setIntervalMs(workflow::kTickIntervalMs);
    timer.setEnabled(true);

    // A window shown again after a close with the wait armed starts idle.
    wait_.cancel();
    showIdleState();

    const settings::Options options = settings::loadOptions(platform_.registry);
    if (options.dropFrame) control(dropFrameCheck).setCheckState(*options.dropFrame);
    if (options.noOptions) control(noOptionsCheck).setCheckState(*options.noOptions);
    control(pulldownPathBox).setText(options.storedIn == settings::StoredIn::NoPlace ? ownPulldownTool()
                                                                                     : options.pulldownPath);
    // The output path's change handling derives a VAF path; the stored one
    // then replaces it, even when it is empty.
    control(outputPathBox).setText(options.outputPath);
    control(vafPathBox).setText(options.vafPath);
}

// The pulldown tool that came with the program, when it lies beside it.
std::string MainWindow::ownPulldownTool() {
    const std::string path = platform_.identity.folder + std::string(workflow::kOwnPulldownToolName);
    const bool beside = !platform_.identity.folder.empty() &&
                        platform_.files.hasEntry(path, platform::EntryKinds::plainFiles());
    return beside ? path : std::string();
}

// The idle look shared by the load and the cancel of a wait.
void MainWindow::showIdleState() {
    control(startButton).setText(kStartCaption);
    control(statusLabel).setText(kIdleHint);
    control(pulldownPathBox).setEnabled(true);
    control(outputPathBox).setEnabled(true);
    window_->acceptFiles(true);
    control(outputBusyMark).setText("");
    control(vafBusyMark).setText("");
    control(minutesWaitedLabel).setText("0");
}

void MainWindow::closeRequest() {
    settings::saveOptions(platform_.registry, {
                                                  .pulldownPath = control(pulldownPathBox).text(),
                                                  .outputPath = control(outputPathBox).text(),
                                                  .vafPath = control(vafPathBox).text(),
                                                  .dropFrame = control(dropFrameCheck).checkState(),
                                                  .noOptions = control(noOptionsCheck).checkState(),
                                              });
    // The window may close with a wait armed (close box, File > Exit); the
    // machine may sleep again then, even while an About window keeps the
    // program alive.
    holdSystemAwake(false);
}

void MainWindow::showAbout() { about_.show(); }

void MainWindow::exitProgram() {
    window_->unload();
    platform_.ui.endProgram();
}

void MainWindow::showError(std::string_view message) {
    platform_.ui.messageBox(window_.get(), message, kErrorTitle, platform::MessageIcon::Warning);
}

}  // namespace morvane::main_window
