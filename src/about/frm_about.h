#pragma once

#include <memory>

#include "platform/platform.h"

namespace morvane::about {

// The About window: one per program, loaded afresh whenever it is shown while closed.
class FrmAbout final : public platform::WindowEvents {
public:
    explicit FrmAbout(platform::Platform& platform);
    ~FrmAbout();
    FrmAbout(const FrmAbout&) = delete;
    FrmAbout& operator=(const FrmAbout&) = delete;

    void show();
    [[nodiscard]] bool isOpen() const { return window_ && window_->isOpen(); }

private:
    void onLoad() override {}
    void onCloseRequest() override {}
    void onClick(platform::ControlId /*id*/) override {}
    void onTextChange(platform::ControlId /*id*/) override {}
    void onTimer() override {}

    platform::Platform& platform_;
    std::unique_ptr<platform::Window> window_;
};

}  // namespace morvane::about
