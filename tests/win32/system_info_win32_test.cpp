#include <windows.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "about/about_window.h"
#include "about/system_info.h"
#include "about_test_support.h"
#include "files_test_support.h"
#include "platform/registry.h"
#include "platform/win32/win32_platform.h"
#include "win32_test_support.h"

namespace morvane {
namespace {

using testing::BoxAnswerer;
using testing::MachineValue;
using testing::pumpPending;
using testing::pumpUntil;
using testing::readStart;
using testing::SeenBox;
using testing::StandInStart;

// The viewer found through the real registry and started for real: the
// stand-in built beside this test records how it was started.
class SystemInfoWin32Test : public ::testing::Test {
protected:
    void SetUp() override {
        if (!testing::canWriteMachineKeys()) GTEST_SKIP() << testing::kNeedsMachineRights;
        path.remove();
        folder.remove();
        CreateDirectoryW(viewerFolder.c_str(), nullptr);
        ASSERT_TRUE(CopyFileW(standIn.c_str(), folderViewer.c_str(), FALSE));
        ASSERT_TRUE(CopyFileW(standIn.c_str(), canary.c_str(), FALSE));
        for (const std::wstring* program : {&folderViewer, &canary}) testing::forgetStart(*program);
    }
    void TearDown() override {
        pumpPending();
        for (const std::wstring* program : {&folderViewer, &canary}) testing::forgetStart(*program);
        DeleteFileW(folderViewer.c_str());
        DeleteFileW(canary.c_str());
        RemoveDirectoryW(viewerFolder.c_str());
    }

    // The System Info button's work; the boxes it showed, answered.
    std::vector<SeenBox> startSystemInfo() {
        BoxAnswerer answerer(L"Morvane");
        about.startSystemInfo();
        return answerer.seen();
    }

    // The viewer in the folder started as its path is written, in a normal
    // window, and the program planted at the path's blank did not.
    void expectViewerStarted() {
        std::optional<StandInStart> start;
        ASSERT_TRUE(pumpUntil([&] { return (start = readStart(folderViewer)).has_value(); }));
        EXPECT_EQ(start->commandLine, L"\"" + folderViewer + L"\"");
        EXPECT_EQ(start->show, SW_SHOWNORMAL);
        EXPECT_FALSE(readStart(canary).has_value());
    }

    // One plain box with OK that says so, and no viewer started.
    void expectUnavailable(const std::vector<SeenBox>& seen) {
        EXPECT_EQ(seen.size(), 1u);
        for (const SeenBox& box : seen) {
            EXPECT_EQ(box.texts, std::vector<std::wstring>{L"System Information Is Unavailable At This Time"});
            EXPECT_EQ(box.buttons, 1);
            EXPECT_FALSE(box.icon);
        }
        EXPECT_FALSE(readStart(folderViewer).has_value());
    }

    const std::wstring standIn = testing::folderOfThisProgram() + L"morvane_msinfo_standin.exe";
    // A program planted where the viewer's path breaks at its blank, as
    // C:\Program.exe would stand beside C:\Program Files: it must never run.
    const std::wstring viewerFolder = testing::folderOfThisProgram() + L"sysinfo folder";
    const std::wstring folderViewer = viewerFolder + L"\\MSINFO32.EXE";
    const std::wstring canary = testing::folderOfThisProgram() + L"sysinfo.exe";

    MachineValue path{L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", L"PATH"};
    MachineValue folder{L"SOFTWARE\\Microsoft\\Shared Tools Location", L"MSINFO"};

    platform::win32::Win32Platform desktop{GetModuleHandleW(nullptr)};
    about::AboutWindow about{desktop.platform};
};

TEST_F(SystemInfoWin32Test, PathValueStartsTheViewerAsWrittenInANormalWindow) {
    ASSERT_TRUE(path.set(folderViewer));
    EXPECT_TRUE(startSystemInfo().empty());
    expectViewerStarted();
}

TEST_F(SystemInfoWin32Test, WithoutPathTheViewerInTheSharedToolsFolderStarts) {
    ASSERT_TRUE(folder.set(viewerFolder));
    EXPECT_TRUE(startSystemInfo().empty());
    expectViewerStarted();
}

TEST_F(SystemInfoWin32Test, PathToAMissingProgramSaysUnavailableWithoutTryingTheFolder) {
    ASSERT_TRUE(path.set(testing::folderOfThisProgram() + L"no_such_viewer.exe"));
    ASSERT_TRUE(folder.set(viewerFolder));
    expectUnavailable(startSystemInfo());
}

TEST_F(SystemInfoWin32Test, FolderWithoutTheViewerSaysUnavailable) {
    ASSERT_TRUE(folder.set(testing::folderOfThisProgram() + L"no_such_folder"));
    expectUnavailable(startSystemInfo());
}

TEST_F(SystemInfoWin32Test, NeitherValueSaysUnavailable) { expectUnavailable(startSystemInfo()); }

TEST_F(SystemInfoWin32Test, PathOfNoBytesEndsInTheMessage) {
    ASSERT_TRUE(path.setBytes(REG_SZ, {}));
    ASSERT_TRUE(folder.set(viewerFolder));
    expectUnavailable(startSystemInfo());
}

// lookUpValue against the real registry: sizes and types as the system
// reports them, the same answers as in memory.
TEST(ValueLookupWin32Test, ReadsTextAndDwordValuesAsStored) {
    if (!testing::canWriteMachineKeys()) GTEST_SKIP() << testing::kNeedsMachineRights;
    const std::string key = "SOFTWARE\\Kestrine\\MorvaneAboutTest";
    const std::wstring wideKey = L"SOFTWARE\\Kestrine\\MorvaneAboutTest";
    struct KeyGone {
        const std::wstring& key;
        ~KeyGone() { RegDeleteKeyW(HKEY_LOCAL_MACHINE, key.c_str()); }
    } gone{wideKey};

    auto text = [](const std::wstring& units) {
        const auto* bytes = reinterpret_cast<const std::byte*>(units.data());
        return std::vector<std::byte>(bytes, bytes + units.size() * sizeof(wchar_t));
    };
    auto oneByteMore = [](std::vector<std::byte> bytes) {
        bytes.push_back(std::byte{0});
        return bytes;
    };
    struct Row {
        const char* what;
        std::uint32_t type;
        std::vector<std::byte> data;
        bool result;
        std::string text;
    };
    const Row rows[] = {
        {"text with its NUL", platform::kRegSz, text(std::wstring(L"C:\\v.exe") + L'\0'), true, "C:\\v.exe"},
        {"text without NUL", platform::kRegSz, text(L"C:\\v.exe"), true, "C:\\v.exe"},
        {"only the final NUL goes", platform::kRegSz, text(std::wstring(L"ab\0\0", 4)), true, std::string("ab\0", 3)},
        {"1024 bytes fit", platform::kRegSz, text(std::wstring(512, L'x')), true, std::string(512, 'x')},
        {"1025 bytes count as absent", platform::kRegSz, oneByteMore(text(std::wstring(512, L'x'))), false, ""},
        {"DWORD 1000",
         platform::kRegDword,
         {std::byte{0xE8}, std::byte{0x03}, std::byte{0}, std::byte{0}},
         true,
         "1000"},
        {"expandable text is left alone", platform::kRegExpandSz, text(std::wstring(L"%SystemRoot%") + L'\0'), true,
         ""},
    };
    platform::win32::Win32Platform desktop{GetModuleHandleW(nullptr)};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        platform::RegistryKey written = platform::kNullKey;
        ASSERT_EQ(desktop.registry.createKey(platform::kHkeyLocalMachine, key, KEY_ALL_ACCESS, written), 0);
        EXPECT_EQ(desktop.registry.setValue(written, "V", row.type, row.data), 0);
        desktop.registry.closeKey(written);

        const about::LookedUpValue value = about::lookUpValue(desktop.registry, platform::kHkeyLocalMachine, key, "V");
        EXPECT_EQ(value.outcome == about::LookedUpValue::Outcome::Found, row.result);
        EXPECT_EQ(value.text, row.text);
    }
    const about::LookedUpValue missing =
        about::lookUpValue(desktop.registry, platform::kHkeyLocalMachine, key, "Missing");
    EXPECT_EQ(missing.outcome, about::LookedUpValue::Outcome::Missing);
    EXPECT_EQ(missing.text, "");
}

TEST_F(SystemInfoWin32Test, ValuesArePutBackAsTheyWere) {
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
