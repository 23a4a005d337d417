#include "platform/win32/win32_ui.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

#include "platform/win32/newer_windows.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_window.h"

namespace morvane::platform::win32 {

namespace {

// Followed by what failed.
constexpr std::string_view kFailureText =
    "Morvane met an error it cannot recover from and will close now, keeping your paths and options.\r\n\r\n"
    "What failed: ";

}  // namespace

Win32Ui::Win32Ui(HINSTANCE instance) : instance_(instance) {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = Win32Window::windowProc;
    wc.hInstance = instance;
    // No class icon: a fixed dialog shows none in its title bar. Windows listed
    // in the task bar get the program's icon of their own.
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kWindowClass;
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        throw std::runtime_error("cannot register the window class");

    // Owns the windows kept out of the task bar; never shown.
    hiddenOwner_ =
        UniqueWindow(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr));
    if (!hiddenOwner_) throw std::runtime_error("cannot create the hidden owner window");
}

std::unique_ptr<Window> Win32Ui::createWindow(const WindowSpec& design, WindowEvents& events) {
    return std::make_unique<Win32Window>(*this, design, events);
}

TwipsSize Win32Ui::screenSize() const {
    const int dpi = screenDpi();
    return {fromPixels(GetSystemMetrics(SM_CXSCREEN), dpi), fromPixels(GetSystemMetrics(SM_CYSCREEN), dpi)};
}

int Win32Ui::screenDpi() const { return systemDpi(); }

HWND ownerHwnd(const Window* owner) {
    const auto* w = dynamic_cast<const Win32Window*>(owner);
    return w ? w->hwnd() : nullptr;
}

Win32Ui::ProgramModal::ProgramModal(const Win32Ui& ui, HWND owner) {
    for (const Win32Window* window : ui.open_) {
        const HWND hwnd = window->hwnd();
        if (hwnd == owner || !IsWindowEnabled(hwnd)) continue;
        EnableWindow(hwnd, FALSE);
        disabled_.push_back(hwnd);
    }
}

Win32Ui::ProgramModal::~ProgramModal() {
    for (const HWND hwnd : disabled_)
        if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
}

void Win32Ui::messageBox(const Window* owner, std::string_view text, std::string_view title, MessageIcon icon) {
    const UINT style = MB_OK | (icon == MessageIcon::Warning ? MB_ICONWARNING : 0);
    const HWND ownerWindow = ownerHwnd(owner);
    ProgramModal modal(*this, ownerWindow);
    MessageBoxW(ownerWindow, widen(text).c_str(), widen(title).c_str(), style);
}

void Win32Ui::handlerFailed(std::string_view what) noexcept {
    // A close request below may fail in turn; the first failure is the one told.
    if (failed_) return;
    failed_ = true;
    try {
        // Nothing else may run while the box is up: no tick, no click.
        for (Win32Window* window : open_) window->timer().setEnabled(false);
        {
            ProgramModal modal(*this, nullptr);
            const std::wstring text = widen(std::string(kFailureText) + std::string(what));
            MessageBoxW(nullptr, text.c_str(), widen(programIdentity().title).c_str(),
                        MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
        }
        for (Win32Window* window : std::vector(open_)) {
            try {
                window->unload();
            } catch (...) {  // its close request failed too: it goes without
            }
        }
    } catch (...) {  // out of memory for the text: end all the same
    }
    endProgram();
}

void Win32Ui::endProgram() {
    gate_.endProgram();
    PostQuitMessage(0);
}

void Win32Ui::keepSystemAwake(bool on) {
    SetThreadExecutionState(on ? (ES_CONTINUOUS | ES_SYSTEM_REQUIRED) : ES_CONTINUOUS);
}

int Win32Ui::run() {
    MSG msg;
    while (!gate_.ended() && !open_.empty()) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) break;
        const HWND active = GetActiveWindow();
        if (active && owns(active) && IsDialogMessageW(active, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

bool Win32Ui::owns(HWND hwnd) const {
    return std::ranges::any_of(open_, [&](const Win32Window* w) { return w->hwnd() == hwnd; });
}

void Win32Ui::windowOpened(Win32Window* window) { open_.push_back(window); }

void Win32Ui::windowClosed(Win32Window* window) {
    std::erase(open_, window);
    // The program ends with its last window.
    if (open_.empty()) PostQuitMessage(0);
}

}  // namespace morvane::platform::win32
