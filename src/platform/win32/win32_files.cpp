#include <windows.h>

#include "platform/win32/win32_system.h"

namespace morvane::platform::win32 {

std::string Win32FileSystem::firstEntryName(std::string_view /*path*/, AttributeMask /*mask*/) { return {}; }

bool Win32FileSystem::openExclusively(std::string_view /*path*/) { return false; }

}  // namespace morvane::platform::win32
