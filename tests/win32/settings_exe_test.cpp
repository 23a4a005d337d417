#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "main_window/main_window_layout.h"
#include "platform/win32/wide.h"
#include "win32_test_support.h"

// The settings through the real program: it saves on close, the system's own
// reg.exe finds the values, and the next start restores them.

namespace morvane {
namespace {

using platform::ControlId;
using platform::win32::narrow;
using platform::win32::widen;
using testing::forgetSettings;
using testing::kSettingsKey;

constexpr DWORD kDeadlineMs = 20000;
constexpr UINT kSendTimeoutMs = 10000;

bool keyExists(HKEY root) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, testing::settingsKeyOf(root), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    const testing::UniqueKey owned(key);
    return true;
}

// Stores a text with its NUL, as other tools do.
void plant(HKEY root, const wchar_t* path, const wchar_t* name, const std::wstring& text) {
    testing::storeValue(root, path, name, REG_SZ, text.c_str(),
                        static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

// The stored bytes of a value exactly, with its type.
std::pair<DWORD, std::wstring> storedValue(HKEY root, const wchar_t* name, const wchar_t* path = nullptr) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path ? path : testing::settingsKeyOf(root), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return {REG_NONE, L"<no key>"};
    const testing::UniqueKey owned(key);
    DWORD type = REG_NONE;
    DWORD size = 0;
    std::wstring data = L"<absent>";
    if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        std::vector<BYTE> raw(size + 1);
        RegQueryValueExW(key, name, nullptr, &type, raw.data(), &size);
        data.assign(reinterpret_cast<const wchar_t*>(raw.data()), size / sizeof(wchar_t));
    }
    return {type, data};
}

// One run of morvane.exe, found by its process once its main window shows.
class RunningProgram : public testing::StartedMorvane {
public:
    RunningProgram() : StartedMorvane(testing::morvaneExe()) {}

    void setText(ControlId id, const std::string& text) {
        const std::wstring wide = widen(text);
        send(control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    }
    std::string text(ControlId id) { return narrow(RemoteMainWindow::text(id)); }
    void setCheck(ControlId id, WPARAM state) { send(control(id), BM_SETCHECK, state, 0); }
    LRESULT check(ControlId id) { return send(control(id), BM_GETCHECK, 0, 0); }

    // The close box's road: the close request saves, then the program ends.
    bool close() {
        PostMessageW(main_, WM_CLOSE, 0, 0);
        return process().exitWithin(kDeadlineMs).has_value();
    }

    // The end of the session as Wine's own log-off brings it: every window is
    // asked, then told, and a process still there afterwards is ended.
    bool endSession() {
        std::wstring line = L"wineboot.exe --end-session --shutdown";
        STARTUPINFOW si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION wineboot{};
        if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &wineboot))
            return false;
        const testing::UniqueKernelHandle thread(wineboot.hThread);
        const testing::UniqueKernelHandle ended(wineboot.hProcess);
        const bool done = WaitForSingleObject(ended.get(), kDeadlineMs) == WAIT_OBJECT_0;
        return done && process().exitWithin(kDeadlineMs).has_value();
    }

private:
    static LRESULT send(HWND to, UINT message, WPARAM w, LPARAM l) {
        DWORD_PTR result = 0;
        EXPECT_NE(SendMessageTimeoutW(to, message, w, l, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result), 0)
            << "message " << message;
        return static_cast<LRESULT>(result);
    }
};

// What `reg query <key>` prints, as name -> {type, data}.
std::map<std::string, std::pair<std::string, std::string>> regQuery(const std::wstring& key) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readHandle = nullptr;
    HANDLE writeHandle = nullptr;
    EXPECT_TRUE(CreatePipe(&readHandle, &writeHandle, &inherit, 0));
    const testing::UniqueKernelHandle readEnd(readHandle);
    testing::UniqueKernelHandle writeEnd(writeHandle);
    SetHandleInformation(readEnd.get(), HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = writeEnd.get();
    si.hStdError = writeEnd.get();
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    std::wstring commandLine = L"reg.exe query \"" + key + L"\"";
    PROCESS_INFORMATION pi{};
    const BOOL started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                                        nullptr, &si, &pi);
    const testing::UniqueKernelHandle thread(pi.hThread);
    const testing::UniqueKernelHandle process(pi.hProcess);
    writeEnd.reset();
    EXPECT_TRUE(started) << "reg.exe: " << GetLastError();
    std::string output;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(readEnd.get(), chunk, sizeof chunk, &got, nullptr) && got > 0) output.append(chunk, got);
    if (started) {
        EXPECT_EQ(WaitForSingleObject(process.get(), kDeadlineMs), WAIT_OBJECT_0);
        DWORD code = 1;
        GetExitCodeProcess(process.get(), &code);
        EXPECT_EQ(code, 0u) << output;
    }

    // Lines of a value: four spaces, name, four spaces, type, four spaces, data.
    std::map<std::string, std::pair<std::string, std::string>> values;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.starts_with("    ")) continue;
        line.erase(0, 4);
        const auto afterName = line.find("    ");
        if (afterName == std::string::npos) continue;
        const auto afterType = line.find("    ", afterName + 4);
        const std::string type =
            line.substr(afterName + 4, afterType == std::string::npos ? std::string::npos : afterType - afterName - 4);
        values[line.substr(0, afterName)] = {type, afterType == std::string::npos ? "" : line.substr(afterType + 4)};
    }
    return values;
}

class SettingsThroughTheProgramTest : public ::testing::Test {
protected:
    void SetUp() override { forgetSettings(); }
    void TearDown() override { forgetSettings(); }
};

TEST_F(SettingsThroughTheProgramTest, CloseSavesFiveTextsThatRegFindsAndTheNextStartRestores) {
    if (!testing::canWriteMachineKeys()) GTEST_SKIP() << testing::kNeedsMachineRights;
    // Cyrillic and CJK: outside any single system code page.
    const std::string vaf = "D:\\\xD0\x92\xD0\xB8\xD0\xB4\xD0\xB5\xD0\xBE\\\xE6\x98\xA0\xE7\x94\xBB.vaf";
    {
        RunningProgram first;
        // A first start: nothing stored yet, so the pulldown tool beside the program is offered.
        const std::wstring exe = testing::morvaneExe();
        EXPECT_EQ(first.text(main_window::pulldownPathBox),
                  narrow(exe.substr(0, exe.find_last_of(L'\\') + 1) + L"morvane-pulldown.exe"));
        EXPECT_EQ(first.check(main_window::dropFrameCheck), BST_CHECKED);
        EXPECT_EQ(first.check(main_window::noOptionsCheck), BST_UNCHECKED);

        first.setText(main_window::pulldownPathBox, "C:\\Tools\\pulldown.exe");
        first.setText(main_window::outputPathBox, "D:\\Encodes\\movie.m2v");
        first.setText(main_window::vafPathBox, vaf);
        first.setCheck(main_window::dropFrameCheck, BST_UNCHECKED);
        first.setCheck(main_window::noOptionsCheck, BST_CHECKED);
        ASSERT_TRUE(first.close()) << "the program did not end after WM_CLOSE";
    }

    const auto values = regQuery(L"HKLM\\SOFTWARE\\WOW6432Node\\Kestrine\\Morvane");
    const std::map<std::string, std::string> expected{{"txtPullPath", "C:\\Tools\\pulldown.exe"},
                                                      {"txtMPath", "D:\\Encodes\\movie.m2v"},
                                                      {"txtMvaf", vaf},
                                                      {"chkDrop", "0"},
                                                      {"chkNoDrop", "1"}};
    EXPECT_EQ(values.size(), expected.size());
    for (const auto& [name, data] : expected) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(values.contains(name));
        EXPECT_EQ(values.at(name).first, "REG_SZ");
        // reg prints in the OEM code page, which may not hold the VAF path's letters.
        if (name != "txtMvaf") {
            EXPECT_EQ(values.at(name).second, data);
        }
    }
    // The exact stored texts: UTF-16, no terminating NUL.
    EXPECT_EQ(storedValue(HKEY_LOCAL_MACHINE, L"txtMvaf"), std::make_pair(DWORD{REG_SZ}, widen(vaf)));
    EXPECT_EQ(storedValue(HKEY_LOCAL_MACHINE, L"txtPullPath"),
              std::make_pair(DWORD{REG_SZ}, std::wstring(L"C:\\Tools\\pulldown.exe")));
    EXPECT_EQ(storedValue(HKEY_LOCAL_MACHINE, L"chkNoDrop"), std::make_pair(DWORD{REG_SZ}, std::wstring(L"1")));
    EXPECT_FALSE(keyExists(HKEY_CURRENT_USER));

    RunningProgram second;
    EXPECT_EQ(second.text(main_window::pulldownPathBox), "C:\\Tools\\pulldown.exe");
    EXPECT_EQ(second.text(main_window::outputPathBox), "D:\\Encodes\\movie.m2v");
    EXPECT_EQ(second.text(main_window::vafPathBox), vaf);  // the stored one, not one derived from outputPathBox
    EXPECT_EQ(second.check(main_window::dropFrameCheck), BST_UNCHECKED);
    EXPECT_EQ(second.check(main_window::noOptionsCheck), BST_CHECKED);
    EXPECT_TRUE(second.close());
}

// Logging off, restarting or shutting down closes the program as its close
// box does, so what changed since the start is kept.
TEST_F(SettingsThroughTheProgramTest, TheEndOfTheSessionSavesAsTheCloseBoxDoes) {
    if (!testing::underWine()) GTEST_SKIP() << "ends the session of whoever runs it: under Wine only";
    RunningProgram program;
    program.setText(main_window::pulldownPathBox, "C:\\Tools\\pulldown.exe");
    program.setCheck(main_window::noOptionsCheck, BST_CHECKED);
    ASSERT_TRUE(program.endSession());
    EXPECT_EQ(storedValue(HKEY_LOCAL_MACHINE, L"txtPullPath"),
              std::make_pair(DWORD{REG_SZ}, std::wstring(L"C:\\Tools\\pulldown.exe")));
    EXPECT_EQ(storedValue(HKEY_LOCAL_MACHINE, L"chkNoDrop"), std::make_pair(DWORD{REG_SZ}, std::wstring(L"1")));
}

TEST_F(SettingsThroughTheProgramTest, AnExistingPerUserKeyTakesTheSettingsAndHklmStaysUntouched) {
    plant(HKEY_CURRENT_USER, kSettingsKey, L"txtPullPath", L"C:\\Per User\\pulldown.exe");
    {
        RunningProgram program;
        // Stored by another tool, with its NUL: the text box shows the path.
        EXPECT_EQ(program.text(main_window::pulldownPathBox), "C:\\Per User\\pulldown.exe");
        program.setText(main_window::pulldownPathBox, "C:\\Tools\\pulldown.exe");
        program.setText(main_window::outputPathBox, "D:\\Encodes\\movie.m2v");
        ASSERT_TRUE(program.close());
    }
    const auto values = regQuery(L"HKCU\\SOFTWARE\\Kestrine\\Morvane");
    EXPECT_EQ(values.size(), 5u);
    ASSERT_TRUE(values.contains("txtPullPath"));
    EXPECT_EQ(values.at("txtPullPath"), std::make_pair(std::string("REG_SZ"), std::string("C:\\Tools\\pulldown.exe")));
    EXPECT_EQ(values.at("txtMPath"), std::make_pair(std::string("REG_SZ"), std::string("D:\\Encodes\\movie.m2v")));
    // Without the rights to write there, nothing could have.
    if (testing::canWriteMachineKeys()) EXPECT_FALSE(keyExists(HKEY_LOCAL_MACHINE));
}

// The places the earlier program and version 1.0.1 left the settings in, in
// the order they are read: the first that exists wins over those after it.
TEST_F(SettingsThroughTheProgramTest, EachPlaceLoadsAndTheFirstThatExistsWins) {
    if (!testing::canWriteMachineKeys()) GTEST_SKIP() << testing::kNeedsMachineRights;
    const std::pair<HKEY, const wchar_t*> places[] = {{HKEY_CURRENT_USER, kSettingsKey},
                                                      {HKEY_CURRENT_USER, testing::kVirtualisedSettingsKey},
                                                      {HKEY_LOCAL_MACHINE, testing::kMachineSettingsKey},
                                                      {HKEY_LOCAL_MACHINE, kSettingsKey}};
    for (std::size_t first = 0; first < std::size(places); ++first) {
        SCOPED_TRACE(first);
        forgetSettings();
        for (std::size_t i = first; i < std::size(places); ++i)
            plant(places[i].first, places[i].second, L"txtPullPath", L"C:\\Place" + std::to_wstring(i));
        RunningProgram program;
        EXPECT_EQ(program.text(main_window::pulldownPathBox), "C:\\Place" + std::to_string(first));
        program.setText(main_window::pulldownPathBox, "C:\\Saved");
        ASSERT_TRUE(program.close());
        // Saved where the next start looks first; the older copies stay byte for byte as they were.
        const std::size_t savedIn = first < 2 ? 0 : 2;
        const auto storedIn = [&](std::size_t at) {
            return storedValue(places[at].first, L"txtPullPath", places[at].second);
        };
        EXPECT_EQ(storedIn(savedIn), std::make_pair(DWORD{REG_SZ}, std::wstring(L"C:\\Saved")));
        for (std::size_t i = first; i < std::size(places); ++i)
            if (i != savedIn)
                EXPECT_EQ(storedIn(i), std::make_pair(DWORD{REG_SZ}, L"C:\\Place" + std::to_wstring(i) + L'\0'));
    }
}

}  // namespace
}  // namespace morvane
