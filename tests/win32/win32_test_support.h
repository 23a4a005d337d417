#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "files_test_support.h"
#include "platform/units.h"
#include "platform/win32/newer_windows.h"
#include "platform/win32/owned_handles.h"
#include "remote_main_window.h"

namespace morvane::testing {

// With MORVANE_WITHOUT_PER_MONITOR_DPI set, a test program runs as on Windows
// 7, 8.1 and the first Windows 10 releases: the newer functions are forgotten.
inline const bool kWithoutPerMonitorDpi = [] {
    if (GetEnvironmentVariableW(L"MORVANE_WITHOUT_PER_MONITOR_DPI", nullptr, 0) == 0) return false;
    platform::win32::perMonitorDpi() = {};
    return true;
}();

// The resolution a 144-dpi prefix is set to, else the system's own.
inline int expectedDpi() {
    wchar_t value[8] = {};
    const DWORD length = GetEnvironmentVariableW(L"MORVANE_EXPECTED_DPI", value, 8);
    return length > 0 && length < 8 ? _wtoi(value) : GetDeviceCaps(platform::win32::ScreenDc().get(), LOGPIXELSX);
}

// Wine's ntdll says so; Windows' has no such export.
inline bool underWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

// Administrators may write below HKEY_LOCAL_MACHINE, standard users may not
// (and a 64-bit program is not virtualised); Wine's prefix lets anyone.
inline bool canWriteMachineKeys() {
    static const bool can = [] {
        const wchar_t* const probe = L"SOFTWARE\\MorvaneRightsProbe";
        HKEY key = nullptr;
        const bool made = RegCreateKeyExW(HKEY_LOCAL_MACHINE, probe, 0, nullptr, REG_OPTION_VOLATILE, KEY_WRITE,
                                          nullptr, &key, nullptr) == ERROR_SUCCESS;
        const UniqueKey owned(key);
        if (made) RegDeleteKeyW(HKEY_LOCAL_MACHINE, probe);
        return made;
    }();
    return can;
}
inline constexpr const char* kNeedsMachineRights = "writes below HKEY_LOCAL_MACHINE: needs administrator rights";

// The program's settings: per user, and machine-wide in the 32-bit view,
// which this 64-bit program reaches by its Wow6432Node path; the copy Windows
// virtualised for the earlier 32-bit program; and version 1.0.1's key.
inline constexpr const wchar_t* kSettingsKey = L"SOFTWARE\\Kestrine\\Morvane";
inline constexpr const wchar_t* kMachineSettingsKey = L"SOFTWARE\\WOW6432Node\\Kestrine\\Morvane";
inline constexpr const wchar_t* kVirtualisedSettingsKey =
    L"Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\WOW6432Node\\Kestrine\\Morvane";
inline const wchar_t* settingsKeyOf(HKEY root) {
    return root == HKEY_LOCAL_MACHINE ? kMachineSettingsKey : kSettingsKey;
}

// Stores a value as another program would, making the key when it is missing.
inline void storeValue(HKEY root, const wchar_t* path, const wchar_t* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(root, path, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr), ERROR_SUCCESS);
    const UniqueKey owned(key);
    ASSERT_EQ(RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
}

// A close saves the settings; a later test must not load them.
inline void forgetSettings() {
    for (const auto& [root, key] : {std::pair{HKEY_LOCAL_MACHINE, kSettingsKey},
                                    {HKEY_LOCAL_MACHINE, kMachineSettingsKey},
                                    {HKEY_CURRENT_USER, kSettingsKey},
                                    {HKEY_CURRENT_USER, kVirtualisedSettingsKey}}) {
        RegDeleteTreeW(root, key);
        const std::wstring_view path(key);
        RegDeleteKeyW(root, std::wstring(path.substr(0, path.rfind(L'\\'))).c_str());  // Kestrine, when empty
    }
}

// Pumps this thread's messages until `done` holds or the deadline passes.
// A WM_QUIT found on the way is swallowed, so one test's end cannot end the next.
inline bool pumpUntil(const std::function<bool()>& done,
                      std::chrono::milliseconds deadline = std::chrono::seconds(10)) {
    const auto until = std::chrono::steady_clock::now() + deadline;
    while (!done()) {
        if (std::chrono::steady_clock::now() > until) return false;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

// Handles what is waiting in this thread's queue. A window closed by a test
// posts WM_QUIT when it was the last one; left in the queue, it would make the
// next test's modal box return at once, so it is dropped too.
inline void pumpPending() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// What a dialog box shows, this process's or another's.
struct SeenBox {
    HWND owner = nullptr;
    std::vector<std::wstring> texts;  // of its visible statics
    int buttons = 0;
    bool icon = false;

    // Its texts, one a line, to look for a message in.
    [[nodiscard]] std::wstring text() const {
        std::wstring all;
        for (const std::wstring& t : texts) all += t + L"\n";
        return all;
    }
};

inline SeenBox whatBoxShows(HWND box) {
    SeenBox shown{GetWindow(box, GW_OWNER)};
    EnumChildWindows(
        box,
        [](HWND child, LPARAM into) -> BOOL {
            auto* seen = reinterpret_cast<SeenBox*>(into);
            if (!IsWindowVisible(child)) return TRUE;
            if (_wcsicmp(className(child).c_str(), L"Button") == 0) ++seen->buttons;
            if (_wcsicmp(className(child).c_str(), L"Static") == 0) {
                if (SendMessageW(child, STM_GETICON, 0, 0) != 0) seen->icon = true;
                if (std::wstring text = windowText(child); !text.empty()) seen->texts.push_back(text);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&shown));
    return shown;
}

// This process's visible dialog box titled `title`, if one shows. Every match
// is looked at: the first one may be another program's box, or a hidden one.
inline HWND ownVisibleBox(const std::wstring& title) {
    for (HWND box = nullptr; (box = FindWindowExW(nullptr, box, L"#32770", title.c_str())) != nullptr;) {
        DWORD process = 0;
        GetWindowThreadProcessId(box, &process);
        if (process == GetCurrentProcessId() && IsWindowVisible(box)) return box;
    }
    return nullptr;
}

// While it lives, answers every top-level dialog box of this process titled
// `title` from its own thread, with OK unless `answer` does otherwise, and
// keeps what each one showed. The test's own modal boxes are answered so.
class BoxAnswerer {
public:
    explicit BoxAnswerer(
        std::wstring title, std::function<void(HWND)> answer = [](HWND box) { PostMessageW(box, WM_COMMAND, IDOK, 0); })
        : thread_([this, title = std::move(title), answer = std::move(answer)] {
              while (!stop_) {
                  if (HWND box = ownVisibleBox(title)) {
                      {
                          std::lock_guard lock(mutex_);
                          seen_.push_back(whatBoxShows(box));
                      }
                      answer(box);
                      // Wait for this box to go before looking for the next one.
                      while (!stop_ && IsWindow(box)) std::this_thread::sleep_for(std::chrono::milliseconds(5));
                  }
                  std::this_thread::sleep_for(std::chrono::milliseconds(5));
              }
          }) {}
    ~BoxAnswerer() {
        stop_ = true;
        thread_.join();
    }
    BoxAnswerer(const BoxAnswerer&) = delete;
    BoxAnswerer& operator=(const BoxAnswerer&) = delete;

    std::vector<SeenBox> seen() {
        std::lock_guard lock(mutex_);
        return seen_;
    }

private:
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<SeenBox> seen_;
    std::thread thread_;
};

// A process this test started, in a job of its own so that every process it
// starts in turn is counted; one still running at the end is ended with it,
// with all it started, and so when the test program itself ends abruptly.
class Child {
public:
    explicit Child(std::wstring commandLine) : job_(CreateJobObjectW(nullptr, nullptr)) {
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        SetInformationJobObject(job_.get(), JobObjectExtendedLimitInformation, &limits, sizeof(limits));
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION started{};
        if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                            &startup, &started))
            throw std::runtime_error("cannot start " + utf8(commandLine));
        process_ = UniqueKernelHandle(started.hProcess);
        const UniqueKernelHandle thread(started.hThread);
        id_ = started.dwProcessId;
        if (!AssignProcessToJobObject(job_.get(), process_.get())) {
            // Never resumed: end it here, or it would stay suspended for good.
            TerminateProcess(process_.get(), 99);
            WaitForSingleObject(process_.get(), kHelperTimeoutMs);
            throw std::runtime_error("cannot put " + utf8(commandLine) + " in a job");
        }
        ResumeThread(thread.get());
    }
    ~Child() {
        if (running()) {
            TerminateProcess(process_.get(), 99);
            WaitForSingleObject(process_.get(), kHelperTimeoutMs);
        }
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    [[nodiscard]] bool running() const { return WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }
    [[nodiscard]] DWORD id() const { return id_; }

    // How many processes this one has started so far, whether or not they still run.
    [[nodiscard]] DWORD descendantsStarted() const {
        JOBOBJECT_BASIC_ACCOUNTING_INFORMATION info{};
        QueryInformationJobObject(job_.get(), JobObjectBasicAccountingInformation, &info, sizeof(info), nullptr);
        return info.TotalProcesses - 1;
    }

    // The exit code, or nothing when the process is still running after `ms`.
    [[nodiscard]] std::optional<DWORD> exitWithin(DWORD ms) const {
        if (WaitForSingleObject(process_.get(), ms) != WAIT_OBJECT_0) return std::nullopt;
        DWORD code = 0;
        GetExitCodeProcess(process_.get(), &code);
        return code;
    }

private:
    UniqueKernelHandle job_;
    UniqueKernelHandle process_;
    DWORD id_ = 0;
};

// morvane.exe started by the test, seen from outside once its main window shows.
class StartedMorvane : public RemoteMainWindow {
public:
    explicit StartedMorvane(const std::wstring& program, const std::wstring& arguments = L"")
        : process_(quoted(program) + (arguments.empty() ? L"" : L" " + arguments)) {
        pumpUntil([&] { return (main_ = topLevelWindowOf(process_.id(), L"MorvaneForm", kMainCaption)) != nullptr; },
                  std::chrono::seconds(20));
        if (!main_) throw std::runtime_error("the main window of " + utf8(program) + " did not show");
    }

    [[nodiscard]] const Child& process() const { return process_; }

private:
    Child process_;
};

// A rectangle in the client coordinates of the window's parent.
inline RECT rectInParent(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// A 32-bit top-down bitmap for a window or control to draw itself into,
// filled beforehand with a colour the program never paints.
class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
        bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        dc_ = CreateCompatibleDC(nullptr);
        old_ = SelectObject(dc_, bitmap_);
        for (int i = 0; i < width * height; ++i) bits_[i] = kUnpainted;
    }
    ~Canvas() {
        SelectObject(dc_, old_);
        DeleteDC(dc_);
        DeleteObject(bitmap_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    [[nodiscard]] HDC dc() const { return dc_; }
    [[nodiscard]] int width() const { return width_; }
    [[nodiscard]] int height() const { return height_; }
    // 0xRRGGBB
    [[nodiscard]] std::uint32_t at(int x, int y) const { return bits_[y * width_ + x] & 0xFFFFFF; }

    // Outside the 16-colour palette the icon is drawn with.
    static constexpr std::uint32_t kUnpainted = 0x123456;

private:
    int width_;
    int height_;
    std::uint32_t* bits_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HDC dc_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

// Much darker than the button face: text, a mark or a dot, however drawn.
inline bool isDark(std::uint32_t p) {
    return p != Canvas::kUnpainted && ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF) < 3 * 0x60;
}

// One past the rightmost dark pixel the control paints.
inline int inkRight(HWND control) {
    RECT client{};
    GetClientRect(control, &client);
    Canvas canvas(client.right, client.bottom);
    SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
    int right = 0;
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = right; x < canvas.width(); ++x)
            if (isDark(canvas.at(x, y))) right = x + 1;
    return right;
}

// What a control's caption needs against the room its control gives it, in
// the font the control really got: a prefix that lacks the face asked for
// gives a wider one. A label wraps, so its height counts; its lines must also
// end before a sibling on their row.
struct CaptionRoom {
    std::wstring what;
    int needs;
    int room;
};
inline std::vector<CaptionRoom> captionRooms(HWND control, int dpi) {
    const std::wstring text = windowText(control);
    if (text.empty() || _wcsicmp(className(control).c_str(), L"Edit") == 0) return {};
    RECT client{};
    GetClientRect(control, &client);
    const HDC dc = GetDC(control);
    const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    std::vector<CaptionRoom> rooms;
    if (_wcsicmp(className(control).c_str(), L"Static") == 0) {
        RECT wrapped{0, 0, client.right, 0};
        DrawTextW(dc, text.c_str(), -1, &wrapped, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        rooms = {{L"height", wrapped.bottom, client.bottom}};
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        const RECT self = rectInParent(control);
        std::wistringstream lines(text);
        int top = self.top;
        for (std::wstring line; std::getline(lines, line); top += metrics.tmHeight) {
            if (!line.empty() && line.back() == L'\r') line.pop_back();
            SIZE size{};
            GetTextExtentPoint32W(dc, line.c_str(), static_cast<int>(line.size()), &size);
            for (HWND other = GetWindow(control, GW_HWNDFIRST); other; other = GetWindow(other, GW_HWNDNEXT)) {
                const RECT r = rectInParent(other);
                const int middle = (r.top + r.bottom) / 2;
                if (r.left > self.left && r.left < self.right && middle >= top && middle < top + metrics.tmHeight)
                    rooms.push_back({line, size.cx, r.left - self.left});
            }
        }
    } else {
        // Beside a check box's box, inside a frame's edges, a button's borders.
        const LONG type = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
        const double margin = type == BS_GROUPBOX ? 240 : type == BS_3STATE ? 255 : 90;
        RECT one{};
        DrawTextW(dc, text.c_str(), -1, &one, DT_CALCRECT | DT_SINGLELINE);
        rooms = {{L"width", one.right, client.right - platform::toPixels(platform::Twips(margin), dpi)}};
        // Drawn in another font than its own (a theme's), a check box's caption runs to its edge.
        if (type == BS_3STATE) rooms.push_back({L"ink", inkRight(control), client.right - 1});
    }
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return rooms;
}

}  // namespace morvane::testing
