#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files_test_support.h"
#include "platform/win32/win32_system.h"
#include "workflow/file_probes.h"

namespace morvane {
namespace {

using namespace testing;
using platform::win32::Win32FileSystem;

using namespace std::string_literals;
const std::string kStream = "MPEG stream bytes\r\n\0\1\2 and more"s;

class ProbesTest : public ::testing::Test {
protected:
    ScratchFolder scratch{L"morvane-probes"};
    Win32FileSystem files;

    std::wstring makeFile(const std::wstring& relative, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
        const std::wstring path = scratch / relative;
        writeFile(path, kStream);
        SetFileAttributesW(path.c_str(), attributes);
        return path;
    }
    std::wstring makeFolder(const std::wstring& relative, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
        const std::wstring path = scratch / relative;
        CreateDirectoryW(path.c_str(), nullptr);
        SetFileAttributesW(path.c_str(), attributes);
        return path;
    }
    bool fileExists(const std::wstring& path) { return probes::exists(files, utf8(path)); }
    bool fileIsFree(const std::wstring& path) { return probes::isFree(files, utf8(path)); }
};

TEST_F(ProbesTest, ExistsFindsEveryKindOfEntry) {
    makeFolder(L"Мои видео 映像");
    const std::wstring found[] = {
        makeFile(L"plain.m2v"),
        makeFile(L"hidden.m2v", FILE_ATTRIBUTE_HIDDEN),
        makeFile(L"system.m2v", FILE_ATTRIBUTE_SYSTEM),
        makeFile(L"readonly.m2v", FILE_ATTRIBUTE_READONLY),
        makeFile(L"all.vaf", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY),
        makeFolder(L"folder"),
        makeFolder(L"hidden folder", FILE_ATTRIBUTE_HIDDEN),
        makeFile(L"Мои видео 映像\\фильм 1.m2v"),
        scratch / L"PLAIN.M2V",  // names are matched as the system matches them
    };
    for (const std::wstring& path : found) EXPECT_TRUE(fileExists(path)) << utf8(path);

    const std::wstring notFound[] = {
        scratch / L"missing.m2v",
        scratch / L"no such folder\\plain.m2v",
        L"Q:\\nothing\\here.m2v",
        scratch / L"*.m2v",  // patterns match nothing
        scratch / L"plai?.m2v",
        scratch / L"folder\\",  // a trailing backslash names no entry
        L"",
    };
    for (const std::wstring& path : notFound) EXPECT_FALSE(fileExists(path)) << utf8(path);
}

// Plain and read-only files are always admitted; hidden, system and
// directory entries only when asked for. The About window asks for plain files.
TEST_F(ProbesTest, HiddenSystemAndDirectoryEntriesAreAdmittedOnlyWhenAskedFor) {
    using platform::EntryKinds;
    struct Row {
        std::wstring path;
        bool aPlainFile;
    };
    const Row rows[] = {
        {makeFile(L"plain.exe"), true},
        {makeFile(L"readonly.exe", FILE_ATTRIBUTE_READONLY), true},
        {makeFile(L"hidden.exe", FILE_ATTRIBUTE_HIDDEN), false},
        {makeFile(L"system.exe", FILE_ATTRIBUTE_SYSTEM), false},
        {makeFolder(L"folder.exe"), false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(files.hasEntry(utf8(row.path), EntryKinds::plainFiles()), row.aPlainFile) << utf8(row.path);
        EXPECT_TRUE(files.hasEntry(utf8(row.path), EntryKinds::any())) << utf8(row.path);
    }
    // Names match without regard to case.
    EXPECT_TRUE(files.hasEntry(utf8(scratch / L"PLAIN.EXE"), EntryKinds::plainFiles()));
    // A folder named with a trailing separator, or a drive alone, names no entry.
    for (const std::wstring& path :
         {scratch.path() + L"\\", scratch.path() + L"/", std::wstring(L"C:"), std::wstring(L"C:\\")})
        EXPECT_FALSE(files.hasEntry(utf8(path), EntryKinds::any())) << utf8(path);
}

TEST_F(ProbesTest, AFreeFileIsFreeAndLeftAsItWas) {
    const std::wstring paths[] = {
        makeFile(L"film.m2v"),
        makeFile(L"readonly.m2v", FILE_ATTRIBUTE_READONLY),
        makeFile(L"hidden system.vaf", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM),
        makeFile(L"映像 фильм.m2v"),
    };
    for (const std::wstring& path : paths) {
        SCOPED_TRACE(utf8(path));
        WIN32_FILE_ATTRIBUTE_DATA before{};
        GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &before);
        EXPECT_TRUE(fileIsFree(path));
        EXPECT_TRUE(fileIsFree(path));  // nothing was left open by the first
        WIN32_FILE_ATTRIBUTE_DATA after{};
        GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &after);
        EXPECT_EQ(readFile(path), kStream);
        EXPECT_EQ(after.nFileSizeLow, before.nFileSizeLow);
        EXPECT_EQ(after.dwFileAttributes, before.dwFileAttributes);
        EXPECT_EQ(CompareFileTime(&after.ftLastWriteTime, &before.ftLastWriteTime), 0);
        // And nothing holds it now: an exclusive open by the test succeeds.
        const UniqueKernelHandle file(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        EXPECT_TRUE(file);
    }
}

TEST_F(ProbesTest, WhatCannotBeOpenedAsAFileIsNotFree) {
    EXPECT_FALSE(fileIsFree(makeFolder(L"folder")));
    EXPECT_TRUE(fileExists(scratch / L"folder"));
    EXPECT_FALSE(fileIsFree(L""));
    EXPECT_FALSE(fileIsFree(scratch / L"*.m2v"));

    const std::wstring missing = scratch / L"missing.m2v";
    EXPECT_FALSE(fileIsFree(missing));
    EXPECT_FALSE(exists(missing));  // the probe never creates
    EXPECT_FALSE(fileIsFree(scratch / L"no such folder\\missing.m2v"));
    EXPECT_FALSE(exists(scratch / L"no such folder"));
}

TEST_F(ProbesTest, PathsBeyondTheClassicLengthLimitWork) {
    std::wstring folder = scratch.path();
    while (folder.size() < 300) {
        folder += L"\\папка с длинным именем";
        ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + folder).c_str(), nullptr)) << GetLastError();
    }
    const std::wstring path = folder + L"\\фильм.m2v";
    writeFile(L"\\\\?\\" + path, kStream);
    EXPECT_TRUE(fileExists(path));
    EXPECT_TRUE(fileIsFree(path));
    EXPECT_TRUE(fileExists(L"\\\\?\\" + path));
    EXPECT_TRUE(fileIsFree(L"\\\\?\\" + path));
    EXPECT_FALSE(fileExists(folder + L"\\missing.m2v"));
}

TEST_F(ProbesTest, AFileHeldOpenByAnotherProcessIsNotFreeUntilItIsClosed) {
    struct Row {
        const wchar_t* access;
        const wchar_t* sharing;
    };
    const Row rows[] = {
        {L"write", L"read"},  // how an encoder writes
        {L"write", L"readwrite"}, {L"read", L"read"}, {L"read", L"readwrite"}, {L"readwrite", L"none"},
    };
    const std::wstring path = makeFile(L"Мои видео 映像.m2v");
    for (const Row& row : rows) {
        SCOPED_TRACE(utf8(std::wstring(row.access) + L" sharing " + row.sharing));
        FileHolder holder(path, row.access, row.sharing);
        EXPECT_TRUE(fileExists(path));
        EXPECT_FALSE(fileIsFree(path));
        EXPECT_FALSE(fileIsFree(path));
        EXPECT_EQ(holder.letGo(), 0u);
        EXPECT_TRUE(fileIsFree(path));  // the failed probes left nothing behind
        EXPECT_EQ(readFile(path), kStream);
    }
}

}  // namespace
}  // namespace morvane
