#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace morvane::about {

// A registry value that GetKeyValue cannot turn into a result (one of no
// bytes at all): the lookup fails as a whole instead of answering.
class KeyValueError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The About window: one per program, loaded afresh whenever it is shown while closed.
class FrmAbout final : public platform::WindowEvents {
public:
    explicit FrmAbout(platform::Platform& platform);
    ~FrmAbout();
    FrmAbout(const FrmAbout&) = delete;
    FrmAbout& operator=(const FrmAbout&) = delete;

    // Modeless and without an owner: creates and loads the window when it is
    // not open, otherwise brings the open one forward.
    void show();
    [[nodiscard]] bool isOpen() const { return window_ && window_->isOpen(); }
    // The window of the last show; valid only while isOpen().
    [[nodiscard]] platform::Window& window() { return *window_; }

    // Finds the system information viewer through the registry and starts
    // it, or says that it is unavailable. Never fails towards the caller.
    void StartSysInfo();

    // Reads one value below a root key. True when the key opened and the
    // value was read, whatever its type; KeyVal then holds a text or DWORD
    // value and is left alone for other types. False, with KeyVal empty,
    // when the key or the value is missing or the value exceeds the buffer.
    // Throws KeyValueError for a value of no bytes.
    bool GetKeyValue(platform::RegistryKey KeyRoot, std::string_view KeyName, std::string_view SubKeyRef,
                     std::string& KeyVal);

private:
    void onLoad() override;
    void onCloseRequest() override {}
    void onClick(platform::ControlId id) override;
    void onTextChange(platform::ControlId /*id*/) override {}
    void onTimer() override {}

    void formLoad();
    void cmdOKClick();
    void lblDownloadLinkClick();
    void lblEmailLinkClick();
    void cmdSysInfoClick();

    [[nodiscard]] const platform::Window* owner() const { return isOpen() ? window_.get() : nullptr; }
    platform::Control& ctl(platform::ControlId id) { return window_->control(id); }

    platform::Platform& platform_;
    std::unique_ptr<platform::Window> window_;
};

}  // namespace morvane::about
