#include <windows.h>

#include "platform/win32/win32_system.h"

namespace morvane::platform::win32 {

bool Win32Processes::start(std::string_view /*commandLine*/, ShowStyle /*style*/) { return false; }

}  // namespace morvane::platform::win32
