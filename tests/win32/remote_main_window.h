#pragma once

// Windows seen from outside, and morvane.exe's main window seen from another
// process: its controls by id, driven with the messages a user's actions would
// send. Sends time out, so a program that hangs fails the test instead of
// stopping it.

#include <windows.h>

#include <functional>
#include <string>

#include "main_window/main_window_layout.h"
#include "version.h"

namespace morvane::testing {

// "1.0.1", from the header the program's own version comes from.
inline const std::wstring kVersion = std::to_wstring(MORVANE_VERSION_MAJOR) + L"." +
                                     std::to_wstring(MORVANE_VERSION_MINOR) + L"." +
                                     std::to_wstring(MORVANE_VERSION_REVISION);
inline const std::wstring kMainCaption = L"Morvane (Version " + kVersion + L")";
// What a busy-mark label holds, drawn in its symbol font.
inline constexpr const wchar_t* kBusyMark = L"\u00CF";
inline constexpr UINT_PTR kTickTimerId = 1;
inline constexpr UINT kAnswerTimeoutMs = 10000;

inline std::wstring windowText(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

inline std::wstring className(HWND hwnd) {
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    return name;
}

inline DWORD processOf(HWND hwnd) {
    DWORD id = 0;
    GetWindowThreadProcessId(hwnd, &id);
    return id;
}

// The first visible top-level window that is `wanted`.
inline HWND findTopLevel(const std::function<bool(HWND)>& wanted) {
    using Search = std::pair<const std::function<bool(HWND)>*, HWND>;
    Search search{&wanted, nullptr};
    EnumWindows(
        [](HWND hwnd, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            if (!IsWindowVisible(hwnd) || !(*s->first)(hwnd)) return TRUE;
            s->second = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.second;
}

inline HWND topLevelWindowOf(DWORD processId, const wchar_t* windowClass, const std::wstring& caption) {
    return findTopLevel([&](HWND hwnd) {
        return processOf(hwnd) == processId && className(hwnd) == windowClass && windowText(hwnd) == caption;
    });
}

class RemoteMainWindow {
public:
    [[nodiscard]] HWND hwnd() const { return main_; }

    [[nodiscard]] HWND control(platform::ControlId id) const {
        if (HWND direct = GetDlgItem(main_, id.value)) return direct;
        for (platform::ControlId frame : {main_window::minutesWaitedFrame, main_window::runsFrame})
            if (HWND inFrame = GetDlgItem(GetDlgItem(main_, frame.value), id.value)) return inFrame;
        return nullptr;
    }

    [[nodiscard]] std::wstring text(platform::ControlId id) const {
        wchar_t buffer[1024] = {};
        DWORD_PTR copied = 0;
        SendMessageTimeoutW(control(id), WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer), SMTO_NORMAL,
                            kAnswerTimeoutMs, &copied);
        return {buffer, static_cast<std::size_t>(copied)};
    }
    void type(platform::ControlId id, const std::wstring& text) const {
        SendMessageTimeoutW(control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL,
                            kAnswerTimeoutMs, nullptr);
    }
    void check(platform::ControlId id, WPARAM state) const {
        SendMessageTimeoutW(control(id), BM_SETCHECK, state, 0, SMTO_NORMAL, kAnswerTimeoutMs, nullptr);
    }
    // Clicks arrive as the button's own notification, queued like a real one.
    void click(platform::ControlId id) const {
        PostMessageW(main_, WM_COMMAND, MAKEWPARAM(id.value, BN_CLICKED), reinterpret_cast<LPARAM>(control(id)));
    }
    void menu(platform::ControlId id) const { PostMessageW(main_, WM_COMMAND, MAKEWPARAM(id.value, 0), 0); }
    // One tick of tickTimer; handled (or held back) by the time this returns.
    void tick() const {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(main_, WM_TIMER, kTickTimerId, 0, SMTO_NORMAL, kAnswerTimeoutMs, &ignored);
    }
    void close() const { PostMessageW(main_, WM_CLOSE, 0, 0); }

protected:
    HWND main_ = nullptr;
};

}  // namespace morvane::testing
