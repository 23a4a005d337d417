// morvane-pulldown's files through the Win32 API: 64-bit sizes and offsets,
// the temporary file beside the output, MoveFileExW over it when complete.
#include <windows.h>

#include <algorithm>
#include <atomic>

#include "platform/win32/owned_handles.h"
#include "platform/win32/system_path.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_stream_files.h"

namespace morvane::platform::win32 {
namespace {

using pulldown::FileError;
using pulldown::FileFailure;
using pulldown::quoted;

// Each read or write asks for at most this much: DWORD counts stay well
// below their limit.
constexpr DWORD kLargestTransferBytes = 4 << 20;

std::string systemText(DWORD error) {
    wchar_t* text = nullptr;
    DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                      FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = length ? std::wstring(text, length) : L"system error " + std::to_wstring(error);
    if (text) LocalFree(text);
    while (!message.empty() && (message.back() == L'\r' || message.back() == L'\n' || message.back() == L'.'))
        message.pop_back();
    return narrow(message);
}

bool diskFull(DWORD error) { return error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL; }

OVERLAPPED at(std::uint64_t offset) {
    OVERLAPPED o{};
    o.Offset = static_cast<DWORD>(offset);
    o.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return o;
}

// The temporary file an interrupt (Ctrl+C, the console closed) removes.
wchar_t interruptedTemporary[32768];
std::atomic<bool> temporaryArmed{false};

BOOL WINAPI removeTemporaryOnInterrupt(DWORD) {
    // Its handles are open with FILE_SHARE_DELETE: it goes when they close.
    if (temporaryArmed.load()) DeleteFileW(interruptedTemporary);
    return FALSE;
}

class Win32Input : public pulldown::InputFile {
public:
    explicit Win32Input(const std::string& path) : path_(path) {
        file_ = UniqueKernelHandle(CreateFileW(systemPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                               nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        LARGE_INTEGER size{};
        if (!file_ || !GetFileSizeEx(file_.get(), &size))
            throw FileError(FileFailure::cannotRead, quoted(path) + " cannot be read: " + systemText(GetLastError()));
        size_ = static_cast<std::uint64_t>(size.QuadPart);
    }

    [[nodiscard]] std::uint64_t size() const override { return size_; }

    // Stops at the size the run began with, should the file grow meanwhile.
    std::size_t read(std::span<std::uint8_t> room) override {
        std::size_t wanted = static_cast<std::size_t>(std::min<std::uint64_t>(room.size(), size_ - delivered_));
        std::size_t filled = 0;
        while (filled < wanted) {
            DWORD got = 0;
            DWORD want = static_cast<DWORD>(std::min<std::size_t>(wanted - filled, kLargestTransferBytes));
            if (!ReadFile(file_.get(), room.data() + filled, want, &got, nullptr))
                throw FileError(FileFailure::cannotRead, quoted(path_) + " cannot be read: " + systemText(GetLastError()));
            if (got == 0) break;
            filled += got;
        }
        delivered_ += filled;
        return filled;
    }

private:
    std::string path_;
    UniqueKernelHandle file_;
    std::uint64_t size_ = 0;
    std::uint64_t delivered_ = 0;
};

std::string folderOf(const std::string& path) {
    auto separator = path.find_last_of("\\/");
    if (separator != std::string::npos) return path.substr(0, separator + 1);
    if (path.size() >= 2 && path[1] == ':') return path.substr(0, 2);
    return "";
}

class Win32TemporaryOutput : public pulldown::TemporaryOutput {
public:
    explicit Win32TemporaryOutput(const std::string& outputPath) : output_(outputPath) {
        std::string folder = folderOf(outputPath);
        std::string name = outputPath.substr(folder.size());
        static std::atomic<unsigned> made{0};
        for (unsigned attempt = 0; attempt < 100 && !file_; ++attempt) {
            temporary_ = systemPath(folder + "." + name + ".pulldown-" + std::to_string(GetCurrentProcessId()) + "-" +
                               std::to_string(made++));
            file_ = UniqueKernelHandle(CreateFileW(temporary_.c_str(), GENERIC_READ | GENERIC_WRITE,
                                                   FILE_SHARE_DELETE, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                                   nullptr));
            if (!file_ && GetLastError() != ERROR_FILE_EXISTS) break;
        }
        if (!file_) {
            std::string shown = folder.empty() ? "." : folder;
            throw FileError(FileFailure::cannotCreate, "cannot write " + quoted(outputPath) + ": the folder " +
                                                           quoted(shown) + " cannot be written: " +
                                                           systemText(GetLastError()));
        }
        if (temporary_.size() < std::size(interruptedTemporary)) {
            std::copy(temporary_.c_str(), temporary_.c_str() + temporary_.size() + 1, interruptedTemporary);
            temporaryArmed = true;
        }
    }

    ~Win32TemporaryOutput() override {
        if (replaced_) return;
        file_.reset();
        DeleteFileW(temporary_.c_str());
        temporaryArmed = false;
    }

    void write(std::uint64_t offset, std::span<const std::uint8_t> bytes) override {
        while (!bytes.empty()) {
            DWORD done = 0;
            OVERLAPPED to = at(offset);
            DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), kLargestTransferBytes));
            if (!WriteFile(file_.get(), bytes.data(), want, &done, &to)) failWriting(GetLastError());
            bytes = bytes.subspan(done);
            offset += done;
        }
    }

    void replaceOutput() override {
        // No FlushFileBuffers: like a copy, the data is left to the system's
        // cache; the rename only guards against a failed or interrupted run.
        file_.reset();
        if (!MoveFileExW(temporary_.c_str(), systemPath(output_).c_str(), MOVEFILE_REPLACE_EXISTING))
            throw FileError(FileFailure::cannotReplace,
                            "cannot replace " + quoted(output_) + ": " + systemText(GetLastError()));
        replaced_ = true;
        temporaryArmed = false;
    }

private:
    [[noreturn]] void failWriting(DWORD error) {
        if (diskFull(error))
            throw FileError(FileFailure::diskFull,
                            "the disk is full: " + quoted(output_) + " was not written (" + systemText(error) + ")");
        throw FileError(FileFailure::cannotWrite, "cannot write " + quoted(output_) + ": " + systemText(error));
    }

    std::string output_;
    std::wstring temporary_;
    UniqueKernelHandle file_;
    bool replaced_ = false;
};

class Win32StreamFiles : public pulldown::StreamFiles {
public:
    // Each call costs more here than on Linux, under Wine most of all, where
    // 1 MiB measured fastest.
    [[nodiscard]] std::size_t pieceBytes() const override { return 1 << 20; }

    std::unique_ptr<pulldown::InputFile> openInput(const std::string& path) override {
        return std::make_unique<Win32Input>(path);
    }

    std::optional<pulldown::FileIdentity> identity(const std::string& path) override {
        UniqueKernelHandle file(CreateFileW(systemPath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                            nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        BY_HANDLE_FILE_INFORMATION info{};
        if (!file || !GetFileInformationByHandle(file.get(), &info)) return std::nullopt;
        return pulldown::FileIdentity{info.dwVolumeSerialNumber,
                                      std::uint64_t{info.nFileIndexHigh} << 32 | info.nFileIndexLow};
    }

    std::unique_ptr<pulldown::TemporaryOutput> createOutput(const std::string& outputPath) override {
        return std::make_unique<Win32TemporaryOutput>(outputPath);
    }
};

}  // namespace

std::unique_ptr<pulldown::StreamFiles> win32StreamFiles() {
    SetConsoleCtrlHandler(removeTemporaryOnInterrupt, TRUE);
    return std::make_unique<Win32StreamFiles>();
}

}  // namespace morvane::platform::win32
