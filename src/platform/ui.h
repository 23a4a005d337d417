#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/layout.h"
#include "platform/units.h"
#include "platform/window.h"

namespace morvane::platform {

enum class MessageIcon { None, Warning };

struct OpenFileRequest {
    std::string title;
    std::string filter;  // "Description|*.a;*.b"
    std::string fileName;
};

class Ui {
public:
    virtual ~Ui() = default;

    // Creates the window and its controls, hidden; show() loads and shows it.
    [[nodiscard]] virtual std::unique_ptr<Window> createWindow(const WindowSpec& design, WindowEvents& events) = 0;

    // The full screen, not the work area, measured at screenDpi().
    [[nodiscard]] virtual TwipsSize screenSize() const = 0;
    // The system's DPI, which may differ from a window's own after the user
    // changes the display scale without signing out.
    [[nodiscard]] virtual int screenDpi() const = 0;

    // Modal, OK button only. `owner` may be null.
    virtual void messageBox(const Window* owner, std::string_view text, std::string_view title, MessageIcon icon) = 0;

    // Modal. Yields the chosen path, or request.fileName unchanged when cancelled.
    [[nodiscard]] virtual std::string openFile(const Window* owner, const OpenFileRequest& request) = 0;

    // While on, the computer is kept from sleeping (the display may still turn off).
    virtual void keepSystemAwake(bool on) = 0;

    // Ends the program: no further event is delivered, and the message loop
    // returns. The windows go with the objects that own them.
    virtual void endProgram() = 0;
};

// Where a window's top-left corner goes to centre it on the screen. The screen
// is measured at screenDpi, the window at its own DPI, and so is the answer.
[[nodiscard]] constexpr TwipsPoint centredPosition(TwipsSize screen, int screenDpi, TwipsSize outer, int windowDpi) {
    const double scale = static_cast<double>(screenDpi) / windowDpi;
    return {Twips((screen.width.value * scale - outer.width.value) / 2.0),
            Twips((screen.height.value * scale - outer.height.value) / 2.0)};
}

// Centres the window on the whole screen (not the work area), keeping its size.
inline void centreOnScreen(const Ui& ui, Window& window) {
    const TwipsPoint at = centredPosition(ui.screenSize(), ui.screenDpi(), window.outerSize(), window.dpi());
    window.move(at.left, at.top);
}

}  // namespace morvane::platform
