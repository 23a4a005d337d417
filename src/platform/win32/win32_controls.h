#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/layout.h"
#include "platform/text_change_filter.h"
#include "platform/window.h"

namespace morvane::platform::win32 {

// A window's or a control's text, whole.
[[nodiscard]] std::string windowText(HWND hwnd);

class Win32Control final : public Control {
public:
    Win32Control(const ControlSpec& design, HWND hwnd) : design_(design), hwnd_(hwnd), textChanges_(design.text) {}

    [[nodiscard]] std::string text() const override;
    void setText(std::string_view text) override;
    [[nodiscard]] bool enabled() const override;
    void setEnabled(bool enabled) override;
    [[nodiscard]] CheckState checkState() const override;
    void setCheckState(CheckState state) override;

    [[nodiscard]] const ControlSpec& design() const { return design_; }
    [[nodiscard]] HWND hwnd() const { return hwnd_; }

    [[nodiscard]] bool takeTextChange() { return textChanges_.changed(text()); }

private:
    const ControlSpec& design_;
    HWND hwnd_;  // a child: it goes with its window
    TextChangeFilter textChanges_;
};

// A window's controls by id.
using Win32Controls = std::map<ControlId, std::unique_ptr<Win32Control>>;

class Win32Timer final : public Timer {
public:
    // The one timer of a window, as its WM_TIMER names it.
    static constexpr UINT_PTR kId = 1;

    explicit Win32Timer(TimerSpec design) : enabled_(design.enabled), interval_(design.intervalMs) {}
    [[nodiscard]] bool enabled() const override { return enabled_; }
    void setEnabled(bool enabled) override;
    [[nodiscard]] unsigned intervalMs() const override { return interval_; }
    void setIntervalMs(unsigned intervalMs) override;

    void attach(HWND hwnd);
    void detach() { hwnd_ = nullptr; }

private:
    void apply();
    HWND hwnd_ = nullptr;
    bool enabled_ = false;
    unsigned interval_ = 0;
};

}  // namespace morvane::platform::win32
