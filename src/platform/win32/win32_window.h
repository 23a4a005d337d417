#pragma once

#include <windows.h>

#include <shellapi.h>

#include <optional>
#include <vector>

#include "platform/layout.h"
#include "platform/win32/owned_handles.h"
#include "platform/win32/win32_controls.h"
#include "platform/window.h"

namespace morvane::platform::win32 {

class Win32Ui;

// A window built from its design: win32_window_build.cpp builds and lays it
// out, win32_window.cpp runs its life and messages, win32_window_paint.cpp
// draws what its controls do not.
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
    void acceptFiles(bool on) override;
    [[nodiscard]] bool isOpen() const override { return static_cast<bool>(window_); }

    [[nodiscard]] HWND hwnd() const { return window_.get(); }
    [[nodiscard]] HWND controlHwnd(ControlId id) const;
    [[nodiscard]] HWND toolTips() const { return toolTips_.get(); }
    [[nodiscard]] int dpi() const override { return dpi_; }

    static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;

private:
    // One handler per message; those with an empty answer leave the message
    // to the system's default.
    LRESULT handle(UINT msg, WPARAM wp, LPARAM lp);
    void onCommand(WORD id, WORD code, HWND from);
    void onTimer(UINT_PTR id);
    void onEndSession(bool ending);
    void onDropFiles(HDROP drop);
    [[nodiscard]] std::optional<LRESULT> onGetDefaultId() const;
    [[nodiscard]] std::optional<LRESULT> onActivate(WORD state);
    [[nodiscard]] std::optional<LRESULT> onControlColour(HDC dc, HWND from) const;
    void onDrawItem(const DRAWITEMSTRUCT& item) const;
    [[nodiscard]] std::optional<LRESULT> onSetCursor(HWND over) const;
    void onPaint() const;
    void onDpiChanged(int dpi, const RECT& suggested);
    void onDestroyed() noexcept;

    void layoutAt(int dpi);
    [[nodiscard]] Win32Control* controlAt(HWND hwnd) const;
    // The one way a built window goes.
    void destroy() noexcept;

    Win32Ui& ui_;
    const WindowSpec& design_;
    WindowEvents& events_;
    Win32Timer timer_;
    Win32Controls controls_;
    std::vector<std::pair<FontSpec, UniqueFont>> fonts_;
    HWND lastFocus_ = nullptr;
    int dpi_ = kDefaultDpi;
    bool loaded_ = false;
    // They destroy only a window whose building failed; a built one goes
    // through destroy(). Last, so gone first: the window goes before the fonts
    // its controls use, and the tool tips it owns before it.
    UniqueWindow window_;
    UniqueWindow toolTips_;
};

}  // namespace morvane::platform::win32
