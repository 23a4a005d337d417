#include "platform/win32/win32_controls.h"

#include <algorithm>

#include "platform/win32/wide.h"

namespace morvane::platform::win32 {

std::string windowText(HWND hwnd) {
    const int length = GetWindowTextLengthW(hwnd);
    std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
    buffer.resize(static_cast<std::size_t>(std::max(GetWindowTextW(hwnd, buffer.data(), length + 1), 0)));
    return narrow(buffer);
}

std::string Win32Control::text() const { return windowText(hwnd_); }

void Win32Control::setText(std::string_view text) {
    SetWindowTextW(hwnd_, widen(text).c_str());
    if (design_.busyMark) InvalidateRect(hwnd_, nullptr, TRUE);
}

bool Win32Control::enabled() const { return IsWindowEnabled(hwnd_) != FALSE; }

void Win32Control::setEnabled(bool enabled) { EnableWindow(hwnd_, enabled ? TRUE : FALSE); }

CheckState Win32Control::checkState() const {
    switch (SendMessageW(hwnd_, BM_GETCHECK, 0, 0)) {
        case BST_CHECKED:
            return CheckState::Ticked;
        case BST_INDETERMINATE:
            return CheckState::Greyed;
        default:
            return CheckState::Clear;
    }
}

void Win32Control::setCheckState(CheckState state) { SendMessageW(hwnd_, BM_SETCHECK, static_cast<WPARAM>(state), 0); }

void Win32Timer::attach(HWND hwnd) {
    hwnd_ = hwnd;
    apply();
}

void Win32Timer::setEnabled(bool enabled) {
    enabled_ = enabled;
    apply();
}

void Win32Timer::setIntervalMs(unsigned intervalMs) {
    interval_ = intervalMs;
    apply();
}

void Win32Timer::apply() {
    if (!hwnd_) return;
    if (enabled_ && interval_ > 0) {
        SetTimer(hwnd_, kId, interval_, nullptr);
    } else {
        KillTimer(hwnd_, kId);
    }
}

}  // namespace morvane::platform::win32
