#pragma once

// Helpers of the About window's Wine tests: message boxes answered from
// another thread, machine registry values put back as they were, and the
// stand-in viewer's record.

#include <windows.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace morvane::testing {

// What an answered message box showed.
struct SeenBox {
    HWND owner = nullptr;
    std::vector<std::wstring> texts;  // of its statics
    int buttons = 0;
    bool icon = false;
};

// While it lives, answers every message box titled `title` with OK from its
// own thread and remembers what each one showed.
class BoxAnswerer {
public:
    explicit BoxAnswerer(std::wstring title) : title_(std::move(title)), thread_([this] { watch(); }) {}
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
    void watch() {
        HWND last = nullptr;
        while (!stop_) {
            HWND box = FindWindowW(L"#32770", title_.c_str());
            if (box && box != last && IsWindowVisible(box)) {
                last = box;
                SeenBox seen{GetWindow(box, GW_OWNER)};
                EnumChildWindows(box, collect, reinterpret_cast<LPARAM>(&seen));
                {
                    std::lock_guard lock(mutex_);
                    seen_.push_back(seen);
                }
                PostMessageW(box, WM_COMMAND, IDOK, 0);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }

    static BOOL CALLBACK collect(HWND child, LPARAM lp) {
        auto* seen = reinterpret_cast<SeenBox*>(lp);
        if (!IsWindowVisible(child)) return TRUE;
        wchar_t cls[32] = {};
        GetClassNameW(child, cls, 32);
        if (_wcsicmp(cls, L"Button") == 0) ++seen->buttons;
        if (_wcsicmp(cls, L"Static") == 0) {
            if (SendMessageW(child, STM_GETICON, 0, 0) != 0) seen->icon = true;
            std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(child)) + 1, L'\0');
            text.resize(static_cast<std::size_t>(GetWindowTextW(child, text.data(), static_cast<int>(text.size()))));
            if (!text.empty()) seen->texts.push_back(text);
        }
        return TRUE;
    }

    std::wstring title_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<SeenBox> seen_;
    std::thread thread_;
};

// Posts WM_CLOSE to a window if the test has not finished with it by the
// deadline, so a key that goes unheard fails the test instead of hanging it.
class CloseAfter {
public:
    CloseAfter(HWND hwnd, std::chrono::milliseconds deadline)
        : thread_([this, hwnd, deadline] {
              std::unique_lock lock(mutex_);
              if (!done_.wait_for(lock, deadline, [this] { return finished_; })) {
                  fired_ = true;
                  PostMessageW(hwnd, WM_CLOSE, 0, 0);
              }
          }) {}
    ~CloseAfter() {
        finish();
        thread_.join();
    }
    CloseAfter(const CloseAfter&) = delete;
    CloseAfter& operator=(const CloseAfter&) = delete;

    void finish() {
        std::lock_guard lock(mutex_);
        finished_ = true;
        done_.notify_all();
    }
    [[nodiscard]] bool fired() const { return fired_; }

private:
    std::mutex mutex_;
    std::condition_variable done_;
    bool finished_ = false;
    std::atomic<bool> fired_{false};
    std::thread thread_;
};

// One value below HKEY_LOCAL_MACHINE, set or removed for a test and put
// back as it was afterwards, its key too.
class MachineValue {
public:
    MachineValue(std::wstring key, std::wstring name) : key_(std::move(key)), name_(std::move(name)) {
        HKEY h = nullptr;
        keyExisted_ = RegOpenKeyExW(HKEY_LOCAL_MACHINE, key_.c_str(), 0, KEY_QUERY_VALUE, &h) == ERROR_SUCCESS;
        if (!keyExisted_) return;
        DWORD size = 0;
        if (RegQueryValueExW(h, name_.c_str(), nullptr, &oldType_, nullptr, &size) == ERROR_SUCCESS) {
            old_.emplace(size, BYTE{0});
            RegQueryValueExW(h, name_.c_str(), nullptr, &oldType_, old_->data(), &size);
        }
        RegCloseKey(h);
    }
    ~MachineValue() {
        if (old_) {
            write(oldType_, old_->data(), static_cast<DWORD>(old_->size()));
        } else {
            remove();
        }
        if (!keyExisted_) RegDeleteKeyW(HKEY_LOCAL_MACHINE, key_.c_str());
    }
    MachineValue(const MachineValue&) = delete;
    MachineValue& operator=(const MachineValue&) = delete;

    // A text value with its terminating NUL, as installers write it.
    bool set(const std::wstring& text) {
        return write(REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                     static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }

    // Bytes stored exactly as given, for values no installer would write.
    bool setBytes(DWORD type, const std::vector<BYTE>& data) {
        return write(type, data.data(), static_cast<DWORD>(data.size()));
    }

    void remove() {
        HKEY h = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key_.c_str(), 0, KEY_SET_VALUE, &h) != ERROR_SUCCESS) return;
        RegDeleteValueW(h, name_.c_str());
        RegCloseKey(h);
    }

private:
    bool write(DWORD type, const BYTE* data, DWORD size) {
        HKEY h = nullptr;
        if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, key_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &h, nullptr) !=
            ERROR_SUCCESS)
            return false;
        const bool ok = RegSetValueExW(h, name_.c_str(), 0, type, data, size) == ERROR_SUCCESS;
        RegCloseKey(h);
        return ok;
    }

    std::wstring key_;
    std::wstring name_;
    bool keyExisted_ = false;
    DWORD oldType_ = 0;
    std::optional<std::vector<BYTE>> old_;
};

// The folder of the running test program, with a trailing backslash.
inline std::wstring testFolder() {
    std::wstring self(32768, L'\0');
    self.resize(GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())));
    return self.substr(0, self.find_last_of(L'\\') + 1);
}

// The stand-in viewer's record of its start: its command line and show command.
struct StandInStart {
    std::wstring commandLine;
    int show = -1;
};

inline std::optional<StandInStart> readStart(const std::wstring& program) {
    const HANDLE file =
        CreateFileW((program + L".started").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::wstring record(4096, L'\0');
    DWORD read = 0;
    ReadFile(file, record.data(), static_cast<DWORD>(record.size() * sizeof(wchar_t)), &read, nullptr);
    CloseHandle(file);
    record.resize(read / sizeof(wchar_t));
    const std::size_t newline = record.rfind(L'\n');
    if (newline == std::wstring::npos) return std::nullopt;
    return StandInStart{record.substr(0, newline), std::stoi(record.substr(newline + 1))};
}

inline void forgetStart(const std::wstring& program) { DeleteFileW((program + L".started").c_str()); }

}  // namespace morvane::testing
