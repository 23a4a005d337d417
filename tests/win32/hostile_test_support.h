#pragma once

// The main window on the real desktop in this process, driven through its own
// messages, and another process that holds a file open, for the hostile-input
// tests against the real system.

#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "about/frm_about.h"
#include "files_test_support.h"
#include "main_window/form1.h"
#include "main_window/form1_layout.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_window.h"
#include "win32_test_support.h"

namespace morvane::testing {

constexpr UINT_PTR kTimer1Id = 1;
constexpr DWORD kChildTimeoutMs = 20000;

// Form1 as the program's entry builds it. Clicks and ticks arrive as the
// window's own messages; error boxes are answered and what they showed kept.
struct RealForm1 {
    platform::win32::Win32Platform desktop{GetModuleHandleW(nullptr)};
    about::FrmAbout about{desktop.platform};
    Form1 form{desktop.platform, about};
    BoxAnswerer errors{L"Error"};

    RealForm1() {
        pumpPending();
        form.show();
    }
    ~RealForm1() { pumpPending(); }
    RealForm1(const RealForm1&) = delete;
    RealForm1& operator=(const RealForm1&) = delete;

    platform::Control& control(platform::ControlId id) { return form.window().control(id); }
    std::string text(platform::ControlId id) { return control(id).text(); }
    HWND main() { return dynamic_cast<platform::win32::Win32Window&>(form.window()).hwnd(); }
    HWND hwnd(platform::ControlId id) {
        return dynamic_cast<platform::win32::Win32Window&>(form.window()).controlHwnd(id);
    }

    void click(platform::ControlId id) {
        SendMessageW(main(), WM_COMMAND, MAKEWPARAM(id.value, BN_CLICKED), reinterpret_cast<LPARAM>(hwnd(id)));
    }
    void menu(platform::ControlId id) { SendMessageW(main(), WM_COMMAND, MAKEWPARAM(id.value, 0), 0); }
    void tick() {
        if (form.isOpen()) SendMessageW(main(), WM_TIMER, kTimer1Id, 0);
    }
    void close() {
        if (form.isOpen()) SendMessageW(main(), WM_CLOSE, 0, 0);
    }
};

// A manual-reset event that a child process opens by its name.
class NamedEvent {
public:
    explicit NamedEvent(const std::wstring& role)
        : name_(L"morvane-hostile-" + role + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(++serial_)),
          handle_(CreateEventW(nullptr, TRUE, FALSE, name_.c_str())) {}
    ~NamedEvent() { CloseHandle(handle_); }
    NamedEvent(const NamedEvent&) = delete;
    NamedEvent& operator=(const NamedEvent&) = delete;

    void set() { SetEvent(handle_); }
    [[nodiscard]] HANDLE handle() const { return handle_; }
    [[nodiscard]] const std::wstring& name() const { return name_; }

private:
    static inline int serial_ = 0;
    std::wstring name_;
    HANDLE handle_;
};

// Another process holding a file open with the access and sharing named as
// file_holder takes them ("read", "write", "readwrite" or "none").
class FileHolder {
public:
    FileHolder(const std::wstring& path, const wchar_t* access, const wchar_t* sharing) {
        std::wstring line = L"\"" + folderOfThisProgram() + L"morvane_file_holder.exe\" \"" + path + L"\" " + access +
                            L" " + sharing + L" " + ready_.name() + L" " + stop_.name();
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION started{};
        if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
            throw std::runtime_error("cannot start the file holder");
        CloseHandle(started.hThread);
        process_ = started.hProcess;
        const HANDLE either[] = {ready_.handle(), process_};
        if (WaitForMultipleObjects(2, either, FALSE, kChildTimeoutMs) != WAIT_OBJECT_0)
            throw std::runtime_error("the file holder could not open " + utf8(path));
    }
    ~FileHolder() {
        letGo();
        CloseHandle(process_);
    }
    FileHolder(const FileHolder&) = delete;
    FileHolder& operator=(const FileHolder&) = delete;

    void letGo() {
        stop_.set();
        if (WaitForSingleObject(process_, kChildTimeoutMs) != WAIT_OBJECT_0) TerminateProcess(process_, 1);
    }

private:
    NamedEvent ready_{L"ready"};
    NamedEvent stop_{L"stop"};
    HANDLE process_ = nullptr;
};

// The names in a folder, to show that a probe or a start made nothing new.
inline std::vector<std::wstring> namesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW entry;
    const HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = entry.cFileName;
        if (name != L"." && name != L"..") names.push_back(name);
    } while (FindNextFileW(find, &entry));
    FindClose(find);
    return names;
}

}  // namespace morvane::testing
