// What can happen to a watched file while the wait is armed, on the real
// desktop: the ticks go on answering busy or free as the system decides, the
// program neither hangs nor reports anything, and the file is left as the
// other party left it.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "real_main_window.h"

namespace morvane {
namespace {

using namespace testing;
using platform::CheckState;

const std::string kMark = utf8(kBusyMark);

struct MidWait {
    const char* name;
    // Done to the output file once the encoder has let go of it; may leave a
    // holder of its own running for the ticks that follow.
    std::function<std::unique_ptr<FileHolder>(const std::wstring& output)> change;
    bool busy;  // what the ticks then find
    std::function<void(const std::wstring& output)> expectLeft;
};

class HostileWaitTest : public ::testing::Test {
protected:
    ScratchFolder scratch{L"morvane-hostile-wait"};
    std::wstring output = scratch / L"movie.m2v";

    // Armed on the output file, held as the encoder holds it; the greyed
    // option satisfies the start and the end starts no run.
    void arm(RealMainWindow& real) {
        real.control(main_window::pulldownPathBox).setText(utf8(folderOfThisProgram() + L"morvane_file_holder.exe"));
        real.control(main_window::outputPathBox).setText(utf8(output));
        real.control(main_window::dropFrameCheck).setCheckState(CheckState::Greyed);
        real.control(main_window::noOptionsCheck).setCheckState(CheckState::Clear);
        real.click(main_window::startButton);
        ASSERT_EQ(real.text(main_window::startButton), "Cancel");
        ASSERT_EQ(real.text(main_window::outputBusyMark), kMark);
    }
};

TEST_F(HostileWaitTest, EveryChangeToTheWatchedFileEndsInBusyOrFreeAndIsLeftAlone) {
    const MidWait cases[] = {
        {"deleted",
         [](const std::wstring& path) {
             DeleteFileW(path.c_str());
             return nullptr;
         },
         false, [](const std::wstring& path) { EXPECT_FALSE(exists(path)); }},
        {"replaced by another file",
         [](const std::wstring& path) {
             DeleteFileW(path.c_str());
             writeFile(path, "another stream");
             return nullptr;
         },
         false, [](const std::wstring& path) { EXPECT_EQ(readFile(path), "another stream"); }},
        {"replaced by a directory",
         [](const std::wstring& path) {
             DeleteFileW(path.c_str());
             CreateDirectoryW(path.c_str(), nullptr);
             return nullptr;
         },
         true,
         [](const std::wstring& path) {
             EXPECT_TRUE(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
             EXPECT_TRUE(namesIn(path).empty());
         }},
        {"made read-only",
         [](const std::wstring& path) {
             SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
             return nullptr;
         },
         false,
         [](const std::wstring& path) {
             EXPECT_TRUE(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_READONLY);
             EXPECT_EQ(readFile(path), "MPEG");
         }},
        {"held by a reader that shares reading only",
         [](const std::wstring& path) { return std::make_unique<FileHolder>(path, L"read", L"read"); }, true,
         [](const std::wstring& path) { EXPECT_EQ(readFile(path), "MPEG"); }},
        // A handle without read, write or delete access takes no part in
        // sharing: such a holder cannot be writing the stream.
        {"held with no data access",
         [](const std::wstring& path) { return std::make_unique<FileHolder>(path, L"none", L"none"); }, false,
         [](const std::wstring& path) { EXPECT_EQ(readFile(path), "MPEG"); }},
    };
    for (const MidWait& c : cases) {
        SCOPED_TRACE(c.name);
        removeTree(scratch.path());
        CreateDirectoryW(scratch.path().c_str(), nullptr);
        writeFile(output, "MPEG");
        FileHolder encoder(output, L"write", L"read");
        RealMainWindow real;
        arm(real);

        encoder.letGo();
        const std::unique_ptr<FileHolder> holder = c.change(output);
        real.tick();
        EXPECT_EQ(real.text(main_window::outputBusyMark), c.busy ? kMark : "");
        real.tick();
        if (c.busy) {
            real.tick();
            EXPECT_TRUE(real.open());
            EXPECT_EQ(real.text(main_window::minutesWaitedLabel), "2");  // three armed ticks, 1.5 minutes
            real.click(main_window::startButton);                        // cancel
            EXPECT_EQ(real.text(main_window::startButton), "Start Waiting");
        } else {
            EXPECT_FALSE(real.open());  // two free ticks: the wait is over
        }
        EXPECT_TRUE(real.errors.seen().empty());
        if (holder) holder->letGo();
        c.expectLeft(output);
        for (const std::wstring& name : namesIn(scratch.path())) EXPECT_EQ(name, L"movie.m2v");
    }
}

// The reader goes, the file is free on the next two ticks and the wait ends.
TEST_F(HostileWaitTest, AReaderThatLetsGoEndsTheWaitTwoTicksLater) {
    writeFile(output, "MPEG");
    RealMainWindow real;
    {
        FileHolder encoder(output, L"write", L"read");
        arm(real);
    }
    {
        FileHolder reader(output, L"read", L"read");
        real.tick();
        EXPECT_EQ(real.text(main_window::outputBusyMark), kMark);
    }
    real.tick();
    EXPECT_TRUE(real.open());
    real.tick();
    EXPECT_FALSE(real.open());
}

}  // namespace
}  // namespace morvane
