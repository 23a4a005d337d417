#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "contract/desktop_contract.h"
#include "files_test_support.h"
#include "platform/win32/win32_system.h"
#include "win32_test_support.h"
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

    bool fileExists(const std::wstring& path) { return workflow::exists(files, utf8(path)); }
    bool fileIsFree(const std::wstring& path) { return workflow::isFree(files, utf8(path)); }
};

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
    const std::wstring path = scratch / L"Мои видео 映像.m2v";
    writeFile(path, kStream);
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

// The real file system and start, in a scratch folder; programs are the recorder.
class Win32Desktop final : public ScratchDesktop, public platform::Processes {
public:
    ~Win32Desktop() override {
        pumpUntil([&] { return recorder_.recorded().size() >= started_; });  // before the folder goes
        holders_.clear();
    }
    platform::FileSystem& files() override { return files_; }
    platform::Processes& processes() override { return *this; }
    std::string folder() const override { return utf8(recorder_.scratch.path()); }
    void add(const std::string& path, Entry entry) override {
        const std::wstring wide = platform::win32::widen(path);
        for (std::size_t at = recorder_.scratch.path().size() + 1; (at = wide.find(L'\\', at)) != std::wstring::npos;
             ++at)
            CreateDirectoryW(wide.substr(0, at).c_str(), nullptr);
        switch (entry) {
            case Entry::Folder:
                CreateDirectoryW(wide.c_str(), nullptr);
                return;
            case Entry::Program:
                CopyFileW((folderOfThisProgram() + L"morvane_pulldown_recorder.exe").c_str(), wide.c_str(), FALSE);
                return;
            default:
                writeFile(wide, kStream);
                SetFileAttributesW(wide.c_str(), entry == Entry::HiddenFile   ? FILE_ATTRIBUTE_HIDDEN
                                                 : entry == Entry::SystemFile ? FILE_ATTRIBUTE_SYSTEM
                                                                              : FILE_ATTRIBUTE_NORMAL);
        }
    }
    void hold(const std::string& path) override {
        holders_.push_back(std::make_unique<FileHolder>(platform::win32::widen(path), L"write", L"read"));
    }
    bool start(std::string_view program, std::string_view arguments, platform::ShowStyle style) override {
        const bool started = processes_.start(program, arguments, style);
        started_ += started ? 1 : 0;
        return started;
    }
    void shellOpen(const platform::Window* owner, std::string_view target) override {
        processes_.shellOpen(owner, target);
    }

private:
    RecorderFolder recorder_{L"morvane-contract"};
    Win32FileSystem files_;
    platform::win32::Win32Processes processes_;
    std::vector<std::unique_ptr<FileHolder>> holders_;
    std::size_t started_ = 0;
};

INSTANTIATE_TEST_SUITE_P(Win32, DesktopContract,
                         ::testing::Values(DesktopContractParam{"Real",
                                                                [] { return std::make_unique<Win32Desktop>(); }}),
                         desktopCaseName);

}  // namespace
}  // namespace morvane
