// The two file probes on paths that no encoder writes, answered by the real
// system: each ends in a plain true or false, at once, with nothing created.
#include <windows.h>

#include <sddl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "files_test_support.h"
#include "platform/win32/win32_system.h"
#include "workflow/file_probes.h"

namespace morvane {
namespace {

using namespace testing;
using platform::win32::Win32FileSystem;

// A file that this process may not read. Under Wine, which keeps no access
// lists and runs the tests as root, a kernel setting that nobody may read
// stands in for it.
std::optional<std::wstring> unreadableFile(const std::wstring& candidate) {
    writeFile(candidate, "secret");
    PSECURITY_DESCRIPTOR denyRead = nullptr;
    if (ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(D;;0x1;;;WD)(A;;FA;;;WD)", SDDL_REVISION_1,
                                                             &denyRead, nullptr)) {
        SetFileSecurityW(candidate.c_str(), DACL_SECURITY_INFORMATION, denyRead);
        LocalFree(denyRead);
    }
    for (const std::wstring& path : {candidate, std::wstring(L"Z:\\proc\\sys\\vm\\drop_caches")}) {
        if (!exists(path)) continue;
        const UniqueKernelHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                  nullptr, OPEN_EXISTING, 0, nullptr));
        if (!file && GetLastError() == ERROR_ACCESS_DENIED) return path;
    }
    return std::nullopt;
}

// A path of exactly `length` characters below `folder`.
std::wstring pathOfLength(const std::wstring& folder, std::size_t length) {
    std::wstring path = folder + L"\\";
    while (path.size() + 200 < length) path += std::wstring(150, L'p') + L"\\";
    path += std::wstring(length - path.size() - 4, L'q') + L".m2v";
    return path;
}

class HostileProbesTest : public ::testing::Test {
protected:
    ScratchFolder scratch{L"morvane-hostile-probes"};
    Win32FileSystem files;

    std::wstring makeFile(const std::wstring& name) {
        writeFile(scratch / name, "MPEG");
        return scratch / name;
    }
};

struct Row {
    const char* name;
    std::wstring path;
    bool exists;
    bool free;  // asked only when the entry exists, as every caller does
};

TEST_F(HostileProbesTest, EveryPathEndsInTheSystemsPlainAnswerAndLeavesTheFolderAsItWas) {
    const std::wstring movie = makeFile(L"movie.m2v");
    const std::wstring world = makeFile(L"\U0001F3AC \u0641\u06CC\u0644\u0645 \u05E1\u05E8\u05D8.m2v");
    const std::wstring readOnly = makeFile(L"read-only.m2v");
    SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    const std::wstring folder = scratch / L"folder.m2v";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::vector<std::wstring> before = namesIn(scratch.path());

    const Row rows[] = {
        {"one character", L"x", false, false},
        {"exactly 32,766 characters", pathOfLength(scratch.path(), 32766), false, false},
        {"32,767 characters", pathOfLength(scratch.path(), 32767), false, false},
        {"100,000 characters", pathOfLength(scratch.path(), 100000), false, false},
        {"32,766 characters, extended", L"\\\\?\\" + pathOfLength(scratch.path(), 32762), false, false},
        {"a blank in front", L" " + movie, false, false},
        {"blanks behind: the system drops them", movie + L"  ", true, true},
        {"double quotes", scratch / L"mo\"vie.m2v", false, false},
        {"quoted whole", L"\"" + movie + L"\"", false, false},
        {"a tab", scratch / L"mo\tvie.m2v", false, false},
        {"emoji and right-to-left text", world, true, true},
        {"CON", L"CON", false, false},
        {"NUL", L"NUL", false, false},
        {"COM1", L"COM1", false, false},
        {"LPT1", L"LPT1", false, false},
        {"a device in a missing folder", L"C:\\x\\nul.m2v", false, false},
        {"a device in a real folder", scratch / L"nul.m2v", false, false},
        {"CON in a real folder", scratch / L"con", false, false},
        {"a trailing dot: the system drops it", movie + L".", true, true},
        {"a trailing backslash", movie + L"\\", false, false},
        {"UNC", L"\\\\server\\share\\x.m2v", false, false},
        {"extended UNC", L"\\\\?\\UNC\\server\\share\\x.m2v", false, false},
        {"extended", L"\\\\?\\" + movie, true, true},
        {"extended with forward slashes", L"\\\\?\\" + std::wstring(movie).replace(2, 1, L"/"), false, false},
        {"a device path", L"\\\\.\\NUL", false, false},
        {"an extended directory", L"\\\\?\\" + folder, true, false},
        {"a read-only file", readOnly, true, true},
        {"a stream of a file", movie + L":stream", false, false},
        {"a drive alone", L"C:", false, false},
        {"a drive's root", L"C:\\", false, false},
        {"a missing drive", L"Q:\\nothing\\here.m2v", false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string path = utf8(row.path);
        const auto started = GetTickCount64();
        EXPECT_EQ(workflow::exists(files, path), row.exists);
        if (row.exists) {
            EXPECT_EQ(workflow::isFree(files, path), row.free);
        }
        EXPECT_EQ(workflow::exists(files, path), row.exists);  // the same answer again
        EXPECT_LT(GetTickCount64() - started, 5000u);
    }
    std::vector<std::wstring> after = namesIn(scratch.path());
    std::ranges::sort(after);
    std::vector<std::wstring> sortedBefore = before;
    std::ranges::sort(sortedBefore);
    EXPECT_EQ(after, sortedBefore);
    EXPECT_EQ(readFile(movie), "MPEG");
}

// Nothing can read the file: it is there, and never free, as with any open
// that is refused. The wait would count it busy until it is readable again.
TEST_F(HostileProbesTest, AFileThatMayNotBeReadExistsAndIsNotFree) {
    const std::optional<std::wstring> unreadable = unreadableFile(scratch / L"unreadable.m2v");
    if (!unreadable) GTEST_SKIP() << "no file here refuses this process reading";
    EXPECT_TRUE(workflow::exists(files, utf8(*unreadable)));
    EXPECT_FALSE(workflow::isFree(files, utf8(*unreadable)));
}

}  // namespace
}  // namespace morvane
