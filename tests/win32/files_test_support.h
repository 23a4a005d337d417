#pragma once

// Files, folders and the test's helper programs, for the tests against the
// real system. Nothing here needs the program's Win32 layer: the bench uses it
// too.

#include <windows.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/win32/owned_handles.h"
#include "platform/win32/wide.h"

namespace morvane::testing {

// The product's owners, and two more of the same kind for what only tests hold.
using platform::win32::UniqueKernelHandle;
using UniqueFind = platform::win32::Owned<HANDLE, &FindClose>;
using UniqueKey = platform::win32::Owned<HKEY, &RegCloseKey>;

// With a trailing backslash; the helper programs are built beside the tests.
inline std::wstring folderOfThisProgram() {
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path.substr(0, path.find_last_of(L'\\') + 1);
}

inline std::string utf8(const std::wstring& wide) { return platform::win32::narrow(wide); }

inline std::wstring quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

// Unix paths reach Windows programs through Wine's Z: drive.
inline std::wstring windowsPath(std::wstring path) {
    if (path.starts_with(L'/')) {
        std::ranges::replace(path, L'/', L'\\');
        path = L"Z:" + path;
    }
    return path;
}
inline std::wstring windowsPath(const std::string& path) { return windowsPath(platform::win32::widen(path)); }

// An environment variable's value, a Unix path in its Windows form; empty when unset.
inline std::wstring environmentPath(const wchar_t* name) {
    std::wstring named(32768, L'\0');
    named.resize(GetEnvironmentVariableW(name, named.data(), static_cast<DWORD>(named.size())));
    return windowsPath(named);
}

// The morvane.exe under test: the one MORVANE_EXE names (CTest names the
// build's), else the one beside this program, as in the test pack.
inline std::wstring morvaneExe() {
    const std::wstring named = environmentPath(L"MORVANE_EXE");
    return named.empty() ? folderOfThisProgram() + L"morvane.exe" : named;
}

inline bool exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

inline void writeFile(const std::wstring& path, const std::string& bytes) {
    const UniqueKernelHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    if (!file) throw std::runtime_error("cannot create " + utf8(path));
    DWORD written = 0;
    WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

inline std::string readFile(const std::wstring& path) {
    const UniqueKernelHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                              OPEN_EXISTING, 0, nullptr));
    if (!file) return {};
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file.get(), buffer, sizeof(buffer), &got, nullptr) && got > 0) bytes.append(buffer, got);
    return bytes;
}

// The names in a folder, to show that a probe or a start made nothing new.
inline std::vector<std::wstring> namesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW entry;
    const UniqueFind find(FindFirstFileW((folder + L"\\*").c_str(), &entry));
    if (!find) return names;
    do {
        const std::wstring name = entry.cFileName;
        if (name != L"." && name != L"..") names.push_back(name);
    } while (FindNextFileW(find.get(), &entry));
    return names;
}

// Removes a tree, whatever the attributes of what is in it.
inline void removeTree(const std::wstring& folder) {
    WIN32_FIND_DATAW entry;
    if (const UniqueFind find(FindFirstFileW((folder + L"\\*").c_str(), &entry)); find) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folder + L"\\" + name;
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                removeTree(path);
            } else {
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(find.get(), &entry));
    }
    SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryW(folder.c_str());
}

// A fresh folder below the system's temporary folder, gone with the object.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::wstring& name) {
        std::wstring temp(MAX_PATH + 1, L'\0');
        temp.resize(GetTempPathW(static_cast<DWORD>(temp.size()), temp.data()));
        path_ = temp + name + L"-" + std::to_wstring(GetCurrentProcessId());
        removeTree(path_);
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    ~ScratchFolder() { removeTree(path_); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // A path inside, without a trailing backslash.
    [[nodiscard]] std::wstring operator/(const std::wstring& relative) const { return path_ + L"\\" + relative; }
    [[nodiscard]] const std::wstring& path() const { return path_; }

private:
    std::wstring path_;
};

// What the recorder, standing in for pulldown.exe, wrote down about one start.
struct Record {
    std::wstring commandLine;
    unsigned flags = 0;
    unsigned show = 0;
    std::vector<std::wstring> args;  // CommandLineToArgvW
    std::vector<std::wstring> crt;   // the C runtime's argv
};

// The records in a folder, ordered by command line.
inline std::vector<Record> readRecords(const std::wstring& folder) {
    std::vector<Record> records;
    for (const std::wstring& name : namesIn(folder)) {
        if (!name.ends_with(L".txt")) continue;  // one still being written
        const std::string bytes = readFile(folder + L"\\" + name);
        // Not readable yet: the rename that put it there may still hold it.
        if (bytes.empty()) continue;
        const std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
        Record& record = records.emplace_back();
        for (std::size_t at = 0, end; (end = text.find(L'\n', at)) != std::wstring::npos; at = end + 1) {
            const std::wstring line = text.substr(at, end - at);
            const std::size_t eq = line.find(L'=');
            const std::wstring key = line.substr(0, eq);
            const std::wstring value = eq == std::wstring::npos ? L"" : line.substr(eq + 1);
            if (key == L"commandline") record.commandLine = value;
            if (key == L"flags") record.flags = static_cast<unsigned>(std::stoul(value));
            if (key == L"show") record.show = static_cast<unsigned>(std::stoul(value));
            if (key == L"arg") record.args.push_back(value);
            if (key == L"crt") record.crt.push_back(value);
        }
    }
    std::ranges::sort(records, {}, &Record::commandLine);
    return records;
}

// A scratch folder where the recorder, copied in under any name, writes down
// every start of it into `records`: named to it through the environment,
// which started programs inherit and pass on.
class RecorderFolder {
public:
    explicit RecorderFolder(const std::wstring& name) : scratch(name) {
        CreateDirectoryW(records.c_str(), nullptr);
        SetEnvironmentVariableW(L"MORVANE_RECORDER_DIR", records.c_str());
    }
    ~RecorderFolder() { SetEnvironmentVariableW(L"MORVANE_RECORDER_DIR", nullptr); }
    RecorderFolder(const RecorderFolder&) = delete;
    RecorderFolder& operator=(const RecorderFolder&) = delete;

    // The recorder as `fileName` in a folder of the scratch folder.
    [[nodiscard]] std::wstring installRecorder(const std::wstring& folderName,
                                               const std::wstring& fileName = L"pulldown.exe") const {
        const std::wstring folder = scratch / folderName;
        CreateDirectoryW(folder.c_str(), nullptr);
        const std::wstring program = folder + L"\\" + fileName;
        CopyFileW((folderOfThisProgram() + L"morvane_pulldown_recorder.exe").c_str(), program.c_str(), FALSE);
        if (!exists(program)) throw std::runtime_error("cannot copy the recorder to " + utf8(program));
        return program;
    }
    [[nodiscard]] std::vector<Record> recorded() const { return readRecords(records); }
    void forgetRecords() const {
        for (const std::wstring& name : namesIn(records)) DeleteFileW((records + L"\\" + name).c_str());
    }

    ScratchFolder scratch;
    const std::wstring records = scratch / L"records";
};

constexpr DWORD kHelperTimeoutMs = 20000;

// A manual-reset event that a helper program opens by its name.
class NamedEvent {
public:
    explicit NamedEvent(const std::wstring& role)
        : name_(L"morvane-" + role + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++serial_)),
          handle_(CreateEventW(nullptr, TRUE, FALSE, name_.c_str())) {}
    NamedEvent(const NamedEvent&) = delete;
    NamedEvent& operator=(const NamedEvent&) = delete;

    void set() { SetEvent(handle_.get()); }
    [[nodiscard]] HANDLE handle() const { return handle_.get(); }
    [[nodiscard]] const std::wstring& name() const { return name_; }

private:
    static inline int serial_ = 0;
    std::wstring name_;
    UniqueKernelHandle handle_;
};

// A helper program that holds files open as an encoder does: given its
// arguments and the names of two events, it sets the first once the files are
// open and closes them when the second is set.
class HoldingProgram {
public:
    HoldingProgram(const std::wstring& program, const std::wstring& arguments) {
        std::wstring line = quoted(program) + L" " + arguments + L" " + ready_.name() + L" " + letGo_.name();
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION started{};
        if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
            throw std::runtime_error("cannot start " + utf8(program));
        const UniqueKernelHandle thread(started.hThread);
        process_ = UniqueKernelHandle(started.hProcess);
        const HANDLE either[] = {ready_.handle(), process_.get()};
        if (WaitForMultipleObjects(2, either, FALSE, kHelperTimeoutMs) != WAIT_OBJECT_0) {
            TerminateProcess(process_.get(), 1);
            throw std::runtime_error(utf8(program) + " could not open " + utf8(arguments));
        }
    }
    ~HoldingProgram() { letGo(); }
    HoldingProgram(const HoldingProgram&) = delete;
    HoldingProgram& operator=(const HoldingProgram&) = delete;

    // Waits for the program to close the files and end; its exit code, 0 when
    // it held them until now.
    DWORD letGo() {
        letGo_.set();
        if (WaitForSingleObject(process_.get(), kHelperTimeoutMs) != WAIT_OBJECT_0) TerminateProcess(process_.get(), 1);
        DWORD code = 1;
        GetExitCodeProcess(process_.get(), &code);
        return code;
    }

private:
    NamedEvent ready_{L"ready"};
    NamedEvent letGo_{L"let-go"};
    UniqueKernelHandle process_;
};

// morvane_file_holder on one file, with the access and sharing named as it
// takes them ("read", "write", "readwrite" or "none").
struct FileHolder : HoldingProgram {
    FileHolder(const std::wstring& path, const wchar_t* access, const wchar_t* sharing)
        : HoldingProgram(folderOfThisProgram() + L"morvane_file_holder.exe",
                         quoted(path) + L" " + access + L" " + sharing) {}
};

// The encoder's stand-in, writing its output and VAF files.
struct EncoderStandIn : HoldingProgram {
    EncoderStandIn(const std::wstring& output, const std::wstring& vaf,
                   const std::wstring& program = folderOfThisProgram() + L"morvane_encoder_standin.exe")
        : HoldingProgram(program, quoted(output) + L" " + quoted(vaf)) {}
};

}  // namespace morvane::testing
