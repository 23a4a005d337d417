#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/layout.h"
#include "platform/units.h"

namespace morvane::platform {

// What a window tells the WindowEvents it was created with. Every call
// arrives on the one UI thread, through the EventGate, one at a time.
class WindowEvents {
public:
    virtual void onLoad() = 0;
    // Once, after the load, when the window is on the screen.
    virtual void onShown() = 0;
    virtual void onCloseRequest() = 0;
    virtual void onClick(ControlId id) = 0;  // buttons, labels, menu items
    // Typed, or set by the program; only when the text really differs from
    // what it was at the last report.
    virtual void onTextChange(ControlId id) = 0;
    virtual void onTimer() = 0;
    // Files dropped on the window, whole paths in the order given; even one
    // that does not take drops may get them from a program that sends them.
    virtual void onFilesDropped(const std::vector<std::string>& paths) = 0;

protected:
    ~WindowEvents() = default;
};

class Control {
public:
    virtual ~Control() = default;

    // Caption of a label, button, frame or check box; text of a text box.
    [[nodiscard]] virtual std::string text() const = 0;
    // Setting the text a text box already holds is no change and raises no event.
    virtual void setText(std::string_view text) = 0;

    [[nodiscard]] virtual bool enabled() const = 0;
    virtual void setEnabled(bool enabled) = 0;

    [[nodiscard]] virtual CheckState checkState() const = 0;
    virtual void setCheckState(CheckState state) = 0;
};

class Timer {
public:
    virtual ~Timer() = default;
    [[nodiscard]] virtual bool enabled() const = 0;
    virtual void setEnabled(bool enabled) = 0;
    [[nodiscard]] virtual unsigned intervalMs() const = 0;
    virtual void setIntervalMs(unsigned intervalMs) = 0;
};

class Window {
public:
    virtual ~Window() = default;

    [[nodiscard]] virtual std::string caption() const = 0;
    virtual void setCaption(std::string_view caption) = 0;

    // Measured at the window's own DPI, as move() takes its position.
    [[nodiscard]] virtual TwipsSize outerSize() const = 0;
    [[nodiscard]] virtual int dpi() const = 0;
    virtual void move(Twips left, Twips top) = 0;

    [[nodiscard]] virtual Control& control(ControlId id) = 0;
    [[nodiscard]] virtual Timer& timer() = 0;

    // Whether files dragged over the window may be dropped on it, and the
    // pointer says so.
    virtual void acceptFiles(bool on) = 0;

    // Modeless and without an owner. The first show raises the load; showing
    // an open window again only brings it forward.
    virtual void show() = 0;
    // Raises the close request, then destroys the window and its timer.
    virtual void unload() = 0;
    [[nodiscard]] virtual bool isOpen() const = 0;
};

}  // namespace morvane::platform
