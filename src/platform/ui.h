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

    // The full screen, not the work area.
    [[nodiscard]] virtual TwipsSize screenSize() const = 0;

    // Modal, OK button only. `owner` may be null.
    virtual void messageBox(const Window* owner, std::string_view text, std::string_view title, MessageIcon icon) = 0;

    // Modal. Yields the chosen path, or request.fileName unchanged when cancelled.
    [[nodiscard]] virtual std::string openFile(const Window* owner, const OpenFileRequest& request) = 0;

    // While on, the computer is kept from sleeping (the display may still turn off).
    virtual void keepSystemAwake(bool on) = 0;

    // Ends the program at once: every window goes, and no further event is delivered.
    virtual void endProgram() = 0;
};

// Centres the window on the whole screen (not the work area), keeping its size.
inline void centreOnScreen(const Ui& ui, Window& window) {
    const TwipsSize screen = ui.screenSize();
    const TwipsSize outer = window.outerSize();
    window.move((screen.width - outer.width) / 2.0, (screen.height - outer.height) / 2.0);
}

}  // namespace morvane::platform
