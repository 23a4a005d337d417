#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

#include "platform/win32/system_library.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/win32_ui.h"

namespace morvane::platform::win32 {

namespace {

// COM on this thread for one scope, let go even when the scope is left by a throw.
class ComScope {
public:
    ComScope(decltype(&CoInitializeEx) start, decltype(&CoUninitialize) end) noexcept {
        if (start && end && SUCCEEDED(start(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) end_ = end;
    }
    ~ComScope() {
        if (end_) end_();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    decltype(&CoUninitialize) end_ = nullptr;
};

}  // namespace

// The same request as ShellExecuteW(owner, "open", target, no parameters, no
// folder, SW_SHOWNORMAL), asked not to show the shell's own error or "open
// with" boxes: a target nothing can open has no visible effect. The result is
// not looked at.
void Win32Processes::shellOpen(const Window* owner, std::string_view target) {
    static auto* const shellExecute = systemFunction<decltype(ShellExecuteExW)>(L"shell32.dll", "ShellExecuteExW");
    static auto* const comStart = systemFunction<decltype(CoInitializeEx)>(L"ole32.dll", "CoInitializeEx");
    static auto* const comEnd = systemFunction<decltype(CoUninitialize)>(L"ole32.dll", "CoUninitialize");
    if (!shellExecute) return;
    // Handlers registered as COM objects (store mail and browser apps) need
    // COM on the calling thread; the launch completes before it is let go.
    const ComScope com(comStart, comEnd);
    const std::wstring file = widen(target);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.hwnd = ownerHwnd(owner);
    info.lpVerb = L"open";
    info.lpFile = file.c_str();
    info.nShow = SW_SHOWNORMAL;
    shellExecute(&info);
}

}  // namespace morvane::platform::win32
