#pragma once

#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

// Files handed to the program: dropped on a window, or named on its command
// line. Both come through the shell, which is loaded only when they come.
namespace morvane::platform::win32 {

// The whole paths of a drop, in order; the drop is finished either way.
[[nodiscard]] std::vector<std::string> takeDroppedFiles(HDROP drop);

// The arguments after the program's own name, split as Windows programs
// split theirs.
[[nodiscard]] std::vector<std::string> commandLineArguments();

}  // namespace morvane::platform::win32
