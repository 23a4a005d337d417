// What another program, an older version or a damaged store can leave in the
// settings key, loaded by the real settings code from the in-memory registry.
// tests/win32/hostile_registry_test.cpp writes the same forms to the real one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "contract/registry_contract.h"
#include "main_window_harness.h"
#include "platform/registry_data.h"
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
// path box shows, and the two check boxes' states (0 clear, 1 ticked, 2 greyed;
// drop frame first) when it is stored as "chkDrop" or as "chkNoDrop" beside an
// "optDrop" of -1, or as "optDrop" alone.
struct StoredForm {
    const char* name;
    std::uint32_t type;
    std::vector<std::byte> data;
    std::string text;
    const char* asDropFrame = "11";
    const char* asNoOptions = "11";
    const char* asBothRuns = "10";
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
        {"an expandable string", platform::kRegExpandSz, utf16le(u"%TEMP%\\1"), ""},
        {"a multi-string", platform::kRegMultiSz, utf16le(u"1\0D:\\x.m2v\0\0"s), ""},
        {"binary data", platform::kRegBinary, bytes({'1', 0}), ""},
        {"no type", kRegNone, bytes({'1', 0}), ""},
        {"a 64-bit number", kRegQword, bytes({1, 0, 0, 0, 0, 0, 0, 0}), ""},
        {"a DWORD 1", platform::kRegDword, bytes({1, 0, 0, 0}), "1", "10", "11"},
        {"a DWORD 2", platform::kRegDword, bytes({2, 0, 0, 0}), "2", "20", "12"},
        {"a DWORD -1", platform::kRegDword, bytes({0xFF, 0xFF, 0xFF, 0xFF}), "-1", "11", "11", "11"},
        {"a DWORD five bytes long", platform::kRegDword, bytes({1, 0, 0, 0, 0}), ""},
        {"an empty text", platform::kRegSz, {}, ""},
        {"a 1 MiB text", platform::kRegSz, utf16le(big), platform::utf16ToUtf8(big)},
        {"a number with NULs after it", platform::kRegSz, utf16le(u"1\0\0"s), "1\0\0"s, "10", "11"},
        {"a text with embedded NULs", platform::kRegSz, utf16le(u"D:\\a\0b.m2v\0x"s), "D:\\a\0b.m2v\0x"s},
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
    std::string boxes() {
        return {char('0' + static_cast<int>(check(dropFrameCheck))),
                char('0' + static_cast<int>(check(noOptionsCheck)))};
    }
    std::string storedText(const char* name) {
        const MemoryRegistry::Value* v = store().find(kHkeyLocalMachine, settingsKeyUnder(kHkeyLocalMachine), name);
        return v && v->type == platform::kRegSz ? platform::textFromRegistry(v->data) : "<not a text>";
    }

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

// Each of the three values in each form, the others absent but for an
// "optDrop" of -1, which the close leaves as it was.
TEST(HostileRegistryTest, EveryStoredFormOfACheckStateOrTheBothRunsValueShowsItsBoxes) {
    const StoredForm minusOne{"-1", platform::kRegDword, bytes({0xFF, 0xFF, 0xFF, 0xFF}), "-1"};
    const std::pair<const char*, const char * StoredForm::*> values[] = {{"chkDrop", &StoredForm::asDropFrame},
                                                                         {"chkNoDrop", &StoredForm::asNoOptions},
                                                                         {"optDrop", &StoredForm::asBothRuns}};
    for (const auto& [name, boxes] : values) {
        for (const StoredForm& form : storedForms()) {
            SCOPED_TRACE(std::string(name) + " as " + form.name);
            const StoredForm& bothRuns = std::string(name) == "optDrop" ? form : minusOne;
            Program p;
            p.put("optDrop", minusOne);
            p.put(name, form);
            p.start();
            EXPECT_EQ(p.boxes(), form.*boxes);

            p.window().pressCloseBox();
            EXPECT_EQ(p.storedText("chkDrop") + p.storedText("chkNoDrop"), form.*boxes);
            const MemoryRegistry::Value* kept =
                p.store().find(kHkeyLocalMachine, settingsKeyUnder(kHkeyLocalMachine), "optDrop");
            ASSERT_NE(kept, nullptr);
            EXPECT_EQ(kept->type, bothRuns.type);
            EXPECT_EQ(kept->data, bothRuns.data);
        }
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
