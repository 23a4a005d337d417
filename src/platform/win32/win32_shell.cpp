#include <windows.h>

#include "platform/win32/win32_system.h"

namespace morvane::platform::win32 {

void Win32Processes::shellOpen(const Window* /*owner*/, std::string_view /*target*/) {}

}  // namespace morvane::platform::win32
