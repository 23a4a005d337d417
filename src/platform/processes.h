#pragma once

#include <string>
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

    // Starts exactly the program file `program` names (".exe" is added to a
    // name without an extension, and a bare name is looked for as the system
    // looks for programs), handing it the argument text as composed; does not
    // wait and keeps nothing of the child. False when nothing was started: no
    // such file, no Windows program, or a path with a double quote, which no
    // file name holds and no command line could carry.
    [[nodiscard]] virtual bool start(std::string_view program, std::string_view arguments, ShowStyle style) = 0;

    // Asks the desktop to open `target` with the verb "open". The result is not reported.
    virtual void shellOpen(const Window* owner, std::string_view target) = 0;
};

// The command line a start hands the program: the program path in double
// quotes, taken as it stands, then the arguments after one blank.
[[nodiscard]] inline std::string commandLineOf(std::string_view program, std::string_view arguments) {
    std::string line = "\"";
    line.append(program).push_back('"');
    if (!arguments.empty()) line.append(" ").append(arguments);
    return line;
}

}  // namespace morvane::platform
