#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "files_test_support.h"
#include "platform/win32/dialog_filter.h"
#include "platform/win32/win32_platform.h"
#include "win32_test_support.h"

namespace morvane {
namespace {

using namespace testing;

// Controls of the system's open dialog: the file-type list and the file name.
constexpr int kTypeList = 0x470;
constexpr int kFileNameCombo = 0x47C;
constexpr int kFileNameEdit = 0x480;

// Vista and later nest the dialog's controls: look through all its descendants.
HWND descendant(HWND dialog, int id) {
    std::pair<int, HWND> search{id, nullptr};
    EnumChildWindows(
        dialog,
        [](HWND child, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<std::pair<int, HWND>*>(param);
            if (GetDlgCtrlID(child) != s->first) return TRUE;
            s->second = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.second;
}

HWND fileNameBox(HWND dialog) {
    if (HWND combo = descendant(dialog, kFileNameCombo)) {
        // Vista's is a ComboBoxEx, whose text lives in its own edit.
        const auto edit = reinterpret_cast<HWND>(SendMessageW(combo, CBEM_GETEDITCONTROL, 0, 0));
        return edit ? edit : combo;
    }
    return descendant(dialog, kFileNameEdit);
}

class FileDialogTest : public ::testing::Test {
protected:
    ScratchFolder scratch{L"morvane-dialog"};
    platform::win32::Win32Platform desktop{GetModuleHandleW(nullptr)};
};

// The dialog takes the filter in the system's form and hands back the path
// picked in it, outside the system code page too.
TEST_F(FileDialogTest, ShowsTheTitleAndFilterAndYieldsThePickedPath) {
    const std::wstring picked = scratch / L"Фильм 1.m2v";
    writeFile(picked, "stream");
    std::wstring typeShown;
    BoxAnswerer watcher(L"Open", [&](HWND dialog) {
        typeShown = windowText(descendant(dialog, kTypeList));
        SendMessageW(fileNameBox(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(picked.c_str()));
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    const std::string chosen = desktop.ui.openFile(
        nullptr, {.title = "Open", .filter = "CCE Related Files|*.mpg;*.mpeg;*.m2v;*.mpv;*.vaf;*.ecl", .fileName = ""});
    EXPECT_EQ(watcher.seen().size(), 1u);
    EXPECT_EQ(chosen, utf8(picked));
    EXPECT_EQ(typeShown, L"CCE Related Files");
}

TEST_F(FileDialogTest, CancelYieldsTheStartNameUnchanged) {
    BoxAnswerer watcher(L"Open", [](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); });
    const std::string start = utf8(scratch / L"pulldown.exe");
    EXPECT_EQ(desktop.ui.openFile(nullptr, {.title = "Open", .filter = "Executable|*.exe", .fileName = start}), start);
    EXPECT_EQ(watcher.seen().size(), 1u);
}

TEST(DialogFilterTest, BecomesTheSystemsNulSeparatedForm) {
    using namespace std::string_literals;
    const std::pair<std::string, std::string> rows[] = {
        {"Executable|*.exe", "Executable\0*.exe\0\0"s},
        {"CCE Related Files|*.mpg;*.mpeg;*.m2v;*.mpv;*.vaf;*.ecl",
         "CCE Related Files\0*.mpg;*.mpeg;*.m2v;*.mpv;*.vaf;*.ecl\0\0"s},
        {"Video|*.m2v|All|*.*", "Video\0*.m2v\0All\0*.*\0\0"s},
        {"Видео|*.m2v", "Видео\0*.m2v\0\0"s},
        {"Video|*.m2v|Orphan", "Video\0*.m2v\0\0"s},
        {"Orphan", ""},
        {"", ""},
    };
    for (const auto& [filter, expected] : rows)
        EXPECT_EQ(platform::win32::systemDialogFilter(filter), expected) << filter;
}

}  // namespace
}  // namespace morvane
