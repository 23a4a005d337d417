#pragma once

// Helpers of the About window's Wine tests: a fail-safe close, machine
// registry values put back as they were, and the stand-in viewer's record.

#include <windows.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "files_test_support.h"

namespace morvane::testing {

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
        const UniqueKey owned(h);
        DWORD size = 0;
        if (RegQueryValueExW(h, name_.c_str(), nullptr, &oldType_, nullptr, &size) == ERROR_SUCCESS) {
            old_.emplace(size, BYTE{0});
            RegQueryValueExW(h, name_.c_str(), nullptr, &oldType_, old_->data(), &size);
        }
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
        const UniqueKey owned(h);
        RegDeleteValueW(h, name_.c_str());
    }

private:
    bool write(DWORD type, const BYTE* data, DWORD size) {
        HKEY h = nullptr;
        if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, key_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &h, nullptr) !=
            ERROR_SUCCESS)
            return false;
        const UniqueKey owned(h);
        return RegSetValueExW(h, name_.c_str(), 0, type, data, size) == ERROR_SUCCESS;
    }

    std::wstring key_;
    std::wstring name_;
    bool keyExisted_ = false;
    DWORD oldType_ = 0;
    std::optional<std::vector<BYTE>> old_;
};

// The stand-in viewer's record of its start: its command line and show command.
struct StandInStart {
    std::wstring commandLine;
    int show = -1;
};

inline std::optional<StandInStart> readStart(const std::wstring& program) {
    const std::string bytes = readFile(program + L".started");
    std::wstring record(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
    const std::size_t newline = record.rfind(L'\n');
    if (newline == std::wstring::npos) return std::nullopt;
    return StandInStart{record.substr(0, newline), std::stoi(record.substr(newline + 1))};
}

inline void forgetStart(const std::wstring& program) { DeleteFileW((program + L".started").c_str()); }

}  // namespace morvane::testing
