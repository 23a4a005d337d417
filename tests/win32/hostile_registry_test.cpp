// Values of every type in the real settings key, written with the system's own
// calls and loaded by the program's real registry layer into the real window.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "real_main_window.h"

namespace morvane {
namespace {

using namespace testing;
using platform::CheckState;

std::vector<BYTE> wideBytes(std::wstring_view text) {
    const auto* bytes = reinterpret_cast<const BYTE*>(text.data());
    return {bytes, bytes + text.size() * sizeof(wchar_t)};
}

void store(const wchar_t* name, DWORD type, const std::vector<BYTE>& data) {
    storeValue(HKEY_LOCAL_MACHINE, kMachineSettingsKey, name, type, data.data(), static_cast<DWORD>(data.size()));
}

std::optional<std::pair<DWORD, std::vector<BYTE>>> stored(const wchar_t* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kMachineSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
    const UniqueKey owned(key);
    DWORD type = 0;
    DWORD size = 0;
    std::optional<std::pair<DWORD, std::vector<BYTE>>> value;
    if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        std::vector<BYTE> data(size);
        RegQueryValueExW(key, name, nullptr, &type, data.data(), &size);
        data.resize(size);
        value.emplace(type, data);
    }
    return value;
}

// The forms another program can leave, and what the window shows of each:
// its text up to the first NUL (an edit control holds no NUL), and the check
// state it stands for (none: counts as absent).
struct StoredForm {
    const char* name;
    DWORD type;
    std::vector<BYTE> data;
    std::wstring shown;
    std::optional<CheckState> check;
};

std::vector<StoredForm> storedForms() {
    using namespace std::string_literals;
    std::wstring megabyte = L"D:\\";
    megabyte.append((1 << 20) / sizeof(wchar_t) - megabyte.size() - 4, L'\x0444');
    megabyte += L".m2v";
    return {
        {"an expandable string", REG_EXPAND_SZ, wideBytes(L"%TEMP%\\1"), L"", std::nullopt},
        {"a multi-string", REG_MULTI_SZ, wideBytes(L"1\0D:\\x.m2v\0\0"s), L"", std::nullopt},
        {"binary data", REG_BINARY, {'1', 0}, L"", std::nullopt},
        {"a DWORD", REG_DWORD, {1, 0, 0, 0}, L"1", CheckState::Ticked},
        {"an empty text", REG_SZ, {}, L"", std::nullopt},
        {"a 1 MiB text", REG_SZ, wideBytes(megabyte), megabyte, std::nullopt},
        {"a text with embedded NULs", REG_SZ, wideBytes(L"2\0D:\\x.m2v\0"s), L"2", std::nullopt},
    };
}

class HostileRegistryWin32Test : public ::testing::Test {
protected:
    void SetUp() override {
        if (!canWriteMachineKeys()) GTEST_SKIP() << kNeedsMachineRights;
        forgetSettings();
    }
    void TearDown() override { forgetSettings(); }
};

TEST_F(HostileRegistryWin32Test, EveryTypeInEveryValueLoadsAsTextOrAsAbsentAndTheCloseWritesTextsBack) {
    const wchar_t* const paths[] = {L"txtPullPath", L"txtMPath", L"txtMvaf"};
    const platform::ControlId pathBoxes[] = {main_window::pulldownPathBox, main_window::outputPathBox,
                                             main_window::vafPathBox};
    for (const StoredForm& form : storedForms()) {
        for (int i = 0; i < 3; ++i) {
            SCOPED_TRACE(utf8(paths[i]) + " as " + form.name);
            forgetSettings();
            store(L"chkDrop", REG_SZ, wideBytes(L"0"));
            store(L"chkNoDrop", REG_SZ, wideBytes(L"1"));
            store(paths[i], form.type, form.data);
            RealMainWindow real;
            EXPECT_TRUE(platform::win32::widen(real.text(pathBoxes[i])) == form.shown)
                << real.text(pathBoxes[i]).size() << " bytes";
            EXPECT_EQ(real.control(main_window::dropFrameCheck).checkState(), CheckState::Clear);
            EXPECT_EQ(real.control(main_window::noOptionsCheck).checkState(), CheckState::Ticked);

            real.close();
            ASSERT_FALSE(real.open());
            EXPECT_TRUE(stored(paths[i]) == std::make_pair(DWORD{REG_SZ}, wideBytes(form.shown)));
            EXPECT_TRUE(real.errors.seen().empty());
        }
        for (const wchar_t* name : {L"chkDrop", L"chkNoDrop", L"optDrop"}) {
            SCOPED_TRACE(utf8(name) + " as " + form.name);
            forgetSettings();
            store(name, form.type, form.data);
            const auto before = stored(name);
            RealMainWindow real;
            const std::wstring which = name;
            CheckState drop = CheckState::Ticked;  // the fallback, "optDrop" not true
            CheckState noDrop = CheckState::Clear;
            if (form.check && which == L"chkDrop") drop = *form.check;
            if (form.check && which == L"chkNoDrop") noDrop = *form.check;
            EXPECT_EQ(real.control(main_window::dropFrameCheck).checkState(), drop);
            EXPECT_EQ(real.control(main_window::noOptionsCheck).checkState(), noDrop);

            real.close();
            if (which == L"optDrop") {
                EXPECT_TRUE(stored(name) == before);  // read, never written
            }
        }
    }
}

}  // namespace
}  // namespace morvane
