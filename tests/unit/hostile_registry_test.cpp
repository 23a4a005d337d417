// What another program, an older version or a damaged store can leave in the
// settings key, loaded by the real settings code from the in-memory registry.
// tests/win32/hostile_registry_test.cpp writes the same forms to the real one.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "contract/registry_contract.h"
#include "main_window_harness.h"
#include "platform/text.h"
#include "settings/settings_constants.h"

namespace morvane {
namespace {

using namespace main_window;
using platform::CheckState;
using platform::kHkeyCurrentUser;
using platform::kHkeyLocalMachine;
using testing::bytes;
using testing::MainWindowHarness;
using testing::MemoryRegistry;
using testing::settingsKeyUnder;
using testing::utf16le;

constexpr std::uint32_t kKeyQueryValue = 0x0001;
constexpr std::uint32_t kRegNone = 0;
constexpr std::uint32_t kRegQword = 11;
constexpr std::size_t kOneMiB = 1 << 20;

// One way a value can be stored, and what the load makes of it: the text a
// path box shows, and the state a check box takes (none: counts as absent).
struct StoredForm {
    const char* name;
    std::uint32_t type;
    std::vector<std::byte> data;
    std::string text;
    std::optional<CheckState> check;
};

std::u16string megabyteOfText() {
    std::u16string text = u"D:\\";
    text.append(kOneMiB / 2 - text.size() - 4, u'\x0444');  // a Cyrillic letter: two UTF-8 bytes each
    return text + u".m2v";
}

std::vector<StoredForm> storedForms() {
    using namespace std::string_literals;
    const std::u16string big = megabyteOfText();
    return {
        {"an expandable string", platform::kRegExpandSz, utf16le(u"%TEMP%\\1"), "", std::nullopt},
        {"a multi-string", platform::kRegMultiSz, utf16le(u"1\0D:\\x.m2v\0\0"s), "", std::nullopt},
        {"binary data", platform::kRegBinary, bytes({'1', 0}), "", std::nullopt},
        {"no type", kRegNone, bytes({'1', 0}), "", std::nullopt},
        {"a 64-bit number", kRegQword, bytes({1, 0, 0, 0, 0, 0, 0, 0}), "", std::nullopt},
        {"a DWORD 1", platform::kRegDword, bytes({1, 0, 0, 0}), "1", CheckState::Ticked},
        {"a DWORD 2", platform::kRegDword, bytes({2, 0, 0, 0}), "2", CheckState::Greyed},
        {"a DWORD -1", platform::kRegDword, bytes({0xFF, 0xFF, 0xFF, 0xFF}), "-1", std::nullopt},
        {"a DWORD five bytes long", platform::kRegDword, bytes({1, 0, 0, 0, 0}), "", std::nullopt},
        {"an empty text", platform::kRegSz, {}, "", std::nullopt},
        {"a 1 MiB text", platform::kRegSz, utf16le(big), platform::utf16ToUtf8(big), std::nullopt},
        {"a number with NULs after it", platform::kRegSz, utf16le(u"1\0\0"s), "1\0\0"s, CheckState::Ticked},
        {"a text with embedded NULs", platform::kRegSz, utf16le(u"D:\\a\0b.m2v\0x"s), "D:\\a\0b.m2v\0x"s, std::nullopt},
    };
}

::testing::AssertionResult sameText(const std::string& actual, const std::string& expected) {
    if (actual == expected) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << actual.size() << " bytes \"" << actual.substr(0, 40) << "\", expected "
                                         << expected.size() << " bytes \"" << expected.substr(0, 40) << "\"";
}

struct Program : MainWindowHarness {
    MemoryRegistry& store() { return desktop.registry; }
    void put(const std::string& name, const StoredForm& stored) {
        store().put(kHkeyLocalMachine, settingsKeyUnder(kHkeyLocalMachine), name, stored.type, stored.data);
    }
    void putText(const std::string& name, const std::string& text) {
        store().putText(kHkeyLocalMachine, settingsKeyUnder(kHkeyLocalMachine), name, text);
    }
    CheckState check(platform::ControlId id) { return control(id).checkState(); }

    // After a close request every box is back in the store as a text.
    void expectSavedAsTexts(platform::RegistryKey root = kHkeyLocalMachine) {
        for (const auto& [name, id] :
             {std::pair{"txtPullPath", pulldownPathBox}, {"txtMPath", outputPathBox}, {"txtMvaf", vafPathBox}}) {
            const MemoryRegistry::Value* saved = store().find(root, settingsKeyUnder(root), name);
            ASSERT_NE(saved, nullptr) << name;
            EXPECT_EQ(saved->type, platform::kRegSz) << name;
            EXPECT_EQ(saved->data, utf16le(platform::utf8ToUtf16(text(id)))) << name;
        }
        EXPECT_EQ(store().openHandles(), 0);
    }
};

TEST(HostileRegistryTest, EveryStoredFormOfAPathLoadsAsItsTextOrAsAbsent) {
    for (const char* name : {"txtPullPath", "txtMPath", "txtMvaf"}) {
        for (const StoredForm& form : storedForms()) {
            SCOPED_TRACE(std::string(name) + " as " + form.name);
            Program p;
            p.putText("txtPullPath", "C:\\Tools\\pulldown.exe");
            p.putText("txtMPath", "D:\\Video\\movie.m2v");
            p.putText("txtMvaf", "D:\\Video\\kept.vaf");
            p.putText("chkDrop", "0");
            p.putText("chkNoDrop", "1");
            p.put(name, form);
            p.start();

            const auto expected = [&](const char* value, const char* normal) {
                return std::string(name) == value ? form.text : std::string(normal);
            };
            EXPECT_TRUE(sameText(p.text(pulldownPathBox), expected("txtPullPath", "C:\\Tools\\pulldown.exe")));
            EXPECT_TRUE(sameText(p.text(outputPathBox), expected("txtMPath", "D:\\Video\\movie.m2v")));
            EXPECT_TRUE(sameText(p.text(vafPathBox), expected("txtMvaf", "D:\\Video\\kept.vaf")));
            EXPECT_EQ(p.check(dropFrameCheck), CheckState::Clear);
            EXPECT_EQ(p.check(noOptionsCheck), CheckState::Ticked);
            EXPECT_TRUE(p.desktop.ui.messages.empty());

            p.window().pressCloseBox();
            p.expectSavedAsTexts();
        }
    }
}

// With the other box absent and "optDrop" true, an absent value shows as the
// fallback's two ticks and a present one as its own state beside the layout's.
TEST(HostileRegistryTest, EveryStoredFormOfACheckStateLoadsAsAStateFromZeroToTwoOrAsAbsent) {
    for (const char* name : {"chkDrop", "chkNoDrop"}) {
        for (const StoredForm& form : storedForms()) {
            SCOPED_TRACE(std::string(name) + " as " + form.name);
            Program p;
            p.store().putDword(kHkeyLocalMachine, settingsKeyUnder(kHkeyLocalMachine), "optDrop", 0xFFFFFFFF);
            p.put(name, form);
            p.start();

            const bool drop = std::string(name) == "chkDrop";
            const CheckState expectedDrop = !form.check ? CheckState::Ticked : drop ? *form.check : CheckState::Ticked;
            const CheckState expectedNoDrop = !form.check ? CheckState::Ticked : drop ? CheckState::Clear : *form.check;
            EXPECT_EQ(p.check(dropFrameCheck), expectedDrop);
            EXPECT_EQ(p.check(noOptionsCheck), expectedNoDrop);

            p.window().pressCloseBox();
            const MemoryRegistry::Value* bothRuns =
                p.store().find(kHkeyLocalMachine, settingsKeyUnder(kHkeyLocalMachine), "optDrop");
            ASSERT_NE(bothRuns, nullptr);
            EXPECT_EQ(bothRuns->type, platform::kRegDword);
            EXPECT_EQ(bothRuns->data, bytes({0xFF, 0xFF, 0xFF, 0xFF}));
            const MemoryRegistry::Value* saved =
                p.store().find(kHkeyLocalMachine, settingsKeyUnder(kHkeyLocalMachine), name);
            ASSERT_NE(saved, nullptr);
            EXPECT_EQ(saved->type, platform::kRegSz);
            EXPECT_EQ(saved->data, utf16le(drop ? (expectedDrop == CheckState::Clear    ? u"0"
                                                   : expectedDrop == CheckState::Ticked ? u"1"
                                                                                        : u"2")
                                                : (expectedNoDrop == CheckState::Clear    ? u"0"
                                                   : expectedNoDrop == CheckState::Ticked ? u"1"
                                                                                          : u"2")));
        }
    }
}

// Only the number -1 (or its text) is true; every other form, unreadable or
// not, leaves the fallback's single tick.
TEST(HostileRegistryTest, EveryStoredFormOfTheBothRunsValueIsTrueOnlyWhenItIsMinusOne) {
    for (const StoredForm& form : storedForms()) {
        SCOPED_TRACE(form.name);
        Program p;
        p.put("optDrop", form);
        p.start();
        EXPECT_EQ(p.check(dropFrameCheck), CheckState::Ticked);
        EXPECT_EQ(p.check(noOptionsCheck), form.text == "-1" ? CheckState::Ticked : CheckState::Clear);
        p.window().pressCloseBox();
        const MemoryRegistry::Value* bothRuns =
            p.store().find(kHkeyLocalMachine, settingsKeyUnder(kHkeyLocalMachine), "optDrop");
        ASSERT_NE(bothRuns, nullptr);
        EXPECT_EQ(bothRuns->type, form.type);
        EXPECT_EQ(bothRuns->data, form.data);
    }
}

TEST(HostileRegistryTest, AMissingKeyLoadsTheFirstRunStateAndTheCloseCreatesIt) {
    Program p;
    p.start();
    EXPECT_EQ(p.check(dropFrameCheck), CheckState::Ticked);
    EXPECT_EQ(p.check(noOptionsCheck), CheckState::Clear);
    for (auto id : {pulldownPathBox, outputPathBox, vafPathBox}) EXPECT_EQ(p.text(id), "");
    p.window().pressCloseBox();
    p.expectSavedAsTexts();
}

// A key that exists but refuses to be read loads like a missing one, and the
// close request, refused there too, keeps the options per user instead.
TEST(HostileRegistryTest, AMachineWideKeyThatCannotBeReadLoadsAsMissingAndIsLeftAsItWas) {
    Program p;
    p.putText("txtPullPath", "C:\\Tools\\pulldown.exe");
    p.putText("chkDrop", "0");
    p.store().denyAccess(kHkeyLocalMachine, kKeyQueryValue);
    p.start();
    EXPECT_EQ(p.check(dropFrameCheck), CheckState::Ticked);
    EXPECT_EQ(p.text(pulldownPathBox), "");

    p.control(pulldownPathBox).setText("C:\\Mine\\pulldown.exe");
    p.window().pressCloseBox();
    p.expectSavedAsTexts(kHkeyCurrentUser);
    EXPECT_EQ(p.store().find(kHkeyLocalMachine, settingsKeyUnder(kHkeyLocalMachine), "txtPullPath")->data,
              utf16le(u"C:\\Tools\\pulldown.exe"));
    EXPECT_EQ(p.store().find(kHkeyLocalMachine, settingsKeyUnder(kHkeyLocalMachine), "chkDrop")->data, utf16le(u"0"));
    EXPECT_EQ(p.store().find(kHkeyLocalMachine, settingsKeyUnder(kHkeyLocalMachine), "txtMPath"), nullptr);
}

// A per-user key that cannot be read does not hide the machine-wide options.
TEST(HostileRegistryTest, APerUserKeyThatCannotBeReadLeavesTheMachineWideOptions) {
    Program p;
    p.putText("txtPullPath", "C:\\Tools\\pulldown.exe");
    p.store().putText(kHkeyCurrentUser, settingsKeyUnder(kHkeyCurrentUser), "txtPullPath", "C:\\Mine\\pulldown.exe");
    p.store().denyAccess(kHkeyCurrentUser, kKeyQueryValue);
    p.start();
    EXPECT_EQ(p.text(pulldownPathBox), "C:\\Tools\\pulldown.exe");
    p.window().pressCloseBox();
    p.expectSavedAsTexts();
}

}  // namespace
}  // namespace morvane
