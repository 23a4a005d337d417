#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace morvane::about {

// The About window: one per program, loaded afresh whenever it is shown while closed.
class AboutWindow final : public platform::WindowEvents {
public:
    explicit AboutWindow(platform::Platform& platform);
    ~AboutWindow();
    AboutWindow(const AboutWindow&) = delete;
    AboutWindow& operator=(const AboutWindow&) = delete;

    // Modeless and without an owner: creates and loads the window when it is
    // not open, otherwise brings the open one forward.
    void show();
    [[nodiscard]] bool isOpen() const { return window_ && window_->isOpen(); }
    // The window of the last show; valid only while isOpen().
    [[nodiscard]] platform::Window& window() { return *window_; }

    // Finds the system information viewer through the registry and starts
    // it, or says that it is unavailable.
    void startSystemInfo();

private:
    void onLoad() override;
    void onShown() override {}
    void onCloseRequest() override {}
    void onClick(platform::ControlId id) override;
    void onTextChange(platform::ControlId /*id*/) override {}
    void onTimer() override {}
    void onFilesDropped(const std::vector<std::string>& /*paths*/) override {}

    void load();
    void closeWindow();
    void openDownloadLink();
    void openEmailLink();
    [[nodiscard]] bool startViewer();
    [[nodiscard]] const platform::Window* owner() const { return isOpen() ? window_.get() : nullptr; }
    platform::Control& control(platform::ControlId id) { return window_->control(id); }

    platform::Platform& platform_;
    std::unique_ptr<platform::Window> window_;
};

}  // namespace morvane::about
