#pragma once

#include <string_view>

namespace morvane::platform {

// How a started program's first window is shown.
enum class ShowStyle : int {
    NormalFocus = 1,
    MinimizedFocus = 2,
};

class Window;

class Processes {
public:
    virtual ~Processes() = default;

    // Starts the command line without waiting and keeps nothing of the child.
    // False when nothing could be started.
    [[nodiscard]] virtual bool start(std::string_view commandLine, ShowStyle style) = 0;

    // Asks the desktop to open `target` with the verb "open". The result is not reported.
    virtual void shellOpen(const Window* owner, std::string_view target) = 0;
};

}  // namespace morvane::platform
