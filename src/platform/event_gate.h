#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/layout.h"
#include "platform/window.h"

namespace morvane::platform {

// The one door through which every window event reaches its WindowEvents, for
// both the Win32 layer and the in-memory double.
//
// Events run one at a time. A handler may still be re-entered from inside a
// modal box or dialog that it shows, because the modal loop dispatches
// messages: a timer tick, or a user's click on the other, ownerless window.
// A tick is held back and delivered once the outermost handler has returned
// (several fall-due ticks collapse into one, as system timers do), so the
// wait can never complete, and end the program, from inside a dialog. Clicks
// run at once: the user may still use the window the box does not block.
// Once the program has ended, nothing more is delivered.
class EventGate {
public:
    void load(WindowEvents& to) {
        run([&] { to.onLoad(); });
    }
    void shown(WindowEvents& to) {
        run([&] { to.onShown(); });
    }
    void filesDropped(WindowEvents& to, const std::vector<std::string>& paths) {
        run([&] { to.onFilesDropped(paths); });
    }
    void closeRequest(WindowEvents& to) {
        run([&] { to.onCloseRequest(); });
    }
    void click(WindowEvents& to, ControlId id) {
        run([&] { to.onClick(id); });
    }
    void textChange(WindowEvents& to, ControlId id) {
        run([&] { to.onTextChange(id); });
    }
    void timer(WindowEvents& to);

    // A window going away forgets a tick held back for it.
    void forget(WindowEvents& to);

    void endProgram() { ended_ = true; }
    [[nodiscard]] bool ended() const { return ended_; }

private:
    void run(const std::function<void()>& handler);

    int depth_ = 0;
    bool ended_ = false;
    WindowEvents* heldTick_ = nullptr;
};

}  // namespace morvane::platform
