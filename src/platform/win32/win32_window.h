#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <vector>

#include "platform/layout.h"
#include "platform/win32/owned_handles.h"
#include "platform/window.h"

namespace morvane::platform::win32 {

class Win32Ui;
class Win32Window;

class Win32Control final : public Control {
public:
    Win32Control(const ControlSpec& design, HWND hwnd) : design_(design), hwnd_(hwnd), reported_(design.text) {}

    [[nodiscard]] std::string text() const override;
    void setText(std::string_view text) override;
    [[nodiscard]] bool enabled() const override;
    void setEnabled(bool enabled) override;
    [[nodiscard]] CheckState checkState() const override;
    void setCheckState(CheckState state) override;

    [[nodiscard]] const ControlSpec& design() const { return design_; }
    [[nodiscard]] HWND hwnd() const { return hwnd_; }

    // An edit control reports a change even when its text was set to what it
    // already held: true only when the text differs from the last report.
    [[nodiscard]] bool takeTextChange();

private:
    const ControlSpec& design_;
    HWND hwnd_;
    std::string reported_;
};

class Win32Timer final : public Timer {
public:
    explicit Win32Timer(std::optional<TimerSpec> design);
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

class Win32Window final : public Window {
public:
    Win32Window(Win32Ui& ui, const WindowSpec& design, WindowEvents& events);
    ~Win32Window() override;
    Win32Window(const Win32Window&) = delete;
    Win32Window& operator=(const Win32Window&) = delete;

    [[nodiscard]] std::string caption() const override;
    void setCaption(std::string_view caption) override;
    [[nodiscard]] TwipsSize outerSize() const override;
    void move(Twips left, Twips top) override;
    [[nodiscard]] Control& control(ControlId id) override;
    [[nodiscard]] Timer& timer() override { return timer_; }
    void show() override;
    void unload() override;
    [[nodiscard]] bool isOpen() const override { return hwnd_ != nullptr; }

    [[nodiscard]] HWND hwnd() const { return hwnd_; }
    [[nodiscard]] HWND controlHwnd(ControlId id) const;
    [[nodiscard]] HWND toolTips() const { return toolTips_; }
    [[nodiscard]] const WindowSpec& design() const { return design_; }
    [[nodiscard]] int dpi() const { return dpi_; }

    static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;

private:
    LRESULT handle(UINT msg, WPARAM wp, LPARAM lp);
    void createControls();
    void createMenu();
    void createToolTips();
    void layoutAt(int dpi);
    HFONT fontFor(const FontSpec& font);
    void onCommand(WORD id, WORD code, HWND from);
    void paintLines(HDC dc);
    void drawItem(const DRAWITEMSTRUCT& item);
    [[nodiscard]] Win32Control* controlAt(HWND hwnd) const;
    void forgetWindow();

    Win32Ui& ui_;
    const WindowSpec& design_;
    WindowEvents& events_;
    HWND hwnd_ = nullptr;
    HWND toolTips_ = nullptr;
    HWND lastFocus_ = nullptr;
    int dpi_ = kDefaultDpi;
    bool loaded_ = false;
    std::map<ControlId, std::unique_ptr<Win32Control>> controls_;
    std::vector<std::pair<FontSpec, UniqueFont>> fonts_;
    Win32Timer timer_;
};

}  // namespace morvane::platform::win32
