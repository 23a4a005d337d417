#include <windows.h>
#include <shellapi.h>

#include "platform/win32/wide.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/win32_ui.h"

namespace morvane::platform::win32 {

// The result is not looked at: a target nothing can open has no visible effect.
void Win32Processes::shellOpen(const Window* owner, std::string_view target) {
    ShellExecuteW(ownerHwnd(owner), L"open", widen(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace morvane::platform::win32
