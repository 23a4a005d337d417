#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "about/frm_about.h"
#include "about_test_support.h"
#include "platform/win32/win32_platform.h"
#include "win32_test_support.h"

namespace morvane {
namespace {

using testing::BoxAnswerer;
using testing::MachineValue;
using testing::pumpPending;
using testing::pumpUntil;
using testing::readStart;
using testing::StandInStart;

// The viewer found through the real registry and started for real: the
// stand-in built beside this test records how it was started.
class SysInfoWin32Test : public ::testing::Test {
protected:
    void SetUp() override {
        path.remove();
        folder.remove();
        CreateDirectoryW(viewerFolder.c_str(), nullptr);
        ASSERT_TRUE(CopyFileW(standIn.c_str(), folderViewer.c_str(), FALSE));
        testing::forgetStart(standIn);
        testing::forgetStart(folderViewer);
    }
    void TearDown() override {
        pumpPending();
        testing::forgetStart(standIn);
        testing::forgetStart(folderViewer);
        DeleteFileW(folderViewer.c_str());
        RemoveDirectoryW(viewerFolder.c_str());
    }

    // Waits for the stand-in's record of its start.
    static std::optional<StandInStart> startOf(const std::wstring& program) {
        std::optional<StandInStart> start;
        pumpUntil([&] { return (start = readStart(program)).has_value(); });
        return start;
    }

    const std::wstring standIn = testing::testFolder() + L"morvane_msinfo_standin.exe";
    const std::wstring viewerFolder = testing::testFolder() + L"sysinfo_folder";
    const std::wstring folderViewer = viewerFolder + L"\\MSINFO32.EXE";

    MachineValue path{L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", L"PATH"};
    MachineValue folder{L"SOFTWARE\\Microsoft\\Shared Tools Location", L"MSINFO"};

    platform::win32::Win32Platform desktop{GetModuleHandleW(nullptr)};
    about::FrmAbout about{desktop.platform};
};

TEST_F(SysInfoWin32Test, PathValueStartsTheViewerAsWrittenInANormalWindow) {
    ASSERT_TRUE(path.set(standIn));
    ASSERT_TRUE(folder.set(viewerFolder));
    BoxAnswerer answerer(L"Morvane");
    about.StartSysInfo();

    const std::optional<StandInStart> start = startOf(standIn);
    ASSERT_TRUE(start.has_value());
    EXPECT_EQ(start->commandLine, standIn);
    EXPECT_EQ(start->show, SW_SHOWNORMAL);
    EXPECT_TRUE(answerer.seen().empty());
    EXPECT_FALSE(readStart(folderViewer).has_value());
}

TEST_F(SysInfoWin32Test, WithoutPathTheViewerInTheSharedToolsFolderStarts) {
    ASSERT_TRUE(folder.set(viewerFolder));
    BoxAnswerer answerer(L"Morvane");
    about.StartSysInfo();

    const std::optional<StandInStart> start = startOf(folderViewer);
    ASSERT_TRUE(start.has_value());
    EXPECT_EQ(start->commandLine, folderViewer);
    EXPECT_EQ(start->show, SW_SHOWNORMAL);
    EXPECT_TRUE(answerer.seen().empty());
}

TEST_F(SysInfoWin32Test, PathToAMissingProgramSaysUnavailableWithoutTryingTheFolder) {
    ASSERT_TRUE(path.set(testing::testFolder() + L"no_such_viewer.exe"));
    ASSERT_TRUE(folder.set(viewerFolder));
    BoxAnswerer answerer(L"Morvane");
    about.StartSysInfo();

    const auto seen = answerer.seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].texts, std::vector<std::wstring>{L"System Information Is Unavailable At This Time"});
    EXPECT_FALSE(readStart(folderViewer).has_value());
}

TEST_F(SysInfoWin32Test, FolderWithoutTheViewerSaysUnavailable) {
    ASSERT_TRUE(folder.set(testing::testFolder() + L"no_such_folder"));
    BoxAnswerer answerer(L"Morvane");
    about.StartSysInfo();

    const auto seen = answerer.seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].texts, std::vector<std::wstring>{L"System Information Is Unavailable At This Time"});
    EXPECT_EQ(seen[0].buttons, 1);
    EXPECT_FALSE(seen[0].icon);
}

TEST_F(SysInfoWin32Test, NeitherValueSaysUnavailable) {
    BoxAnswerer answerer(L"Morvane");
    about.StartSysInfo();

    const auto seen = answerer.seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].texts, std::vector<std::wstring>{L"System Information Is Unavailable At This Time"});
    EXPECT_FALSE(readStart(folderViewer).has_value());
}

TEST_F(SysInfoWin32Test, ValuesArePutBackAsTheyWere) {
    // The fixture's own guards, checked on a value of a key of its own.
    const std::wstring key = L"SOFTWARE\\Kestrine\\MorvaneAboutTest";
    {
        MachineValue value(key, L"V");
        ASSERT_TRUE(value.set(L"x"));
    }
    HKEY h = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_QUERY_VALUE, &h), ERROR_FILE_NOT_FOUND);
}

}  // namespace
}  // namespace morvane
