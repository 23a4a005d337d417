#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "about/about_window.h"
#include "contract/registry_contract.h"
#include "main_window/main_window.h"
#include "memory_platform.h"
#include "platform/registry_data.h"
#include "platform/text.h"
#include "settings/settings_constants.h"
#include "settings/settings_store.h"

namespace morvane {
namespace {

using namespace main_window;
using platform::CheckState;
using platform::ControlId;
using platform::kHkeyCurrentUser;
using platform::kHkeyLocalMachine;
using platform::RegistryKey;
using testing::MemoryRegistry;
using testing::settingsKeyUnder;
const std::string kPath(settings::kSettingsPath);
using testing::MemoryUi;
using testing::MemoryWindow;

constexpr std::uint32_t kWriteRights = 0x0002 | 0x0004 | 0x0020;  // SET_VALUE, CREATE_SUB_KEY, CREATE_LINK

// One run of the real program on the in-memory desktop, over a registry that
// outlives it, so that a second run sees what the first one saved.
struct Program {
    explicit Program(MemoryRegistry& store) : registry(store) {}

    void start() { mainWindow.show(); }
    MemoryWindow& window() { return *ui.findWindow("MainWindow"); }
    platform::Control& control(ControlId id) { return window().control(id); }
    std::string text(ControlId id) { return control(id).text(); }
    CheckState check(ControlId id) { return control(id).checkState(); }

    testing::MemoryUi ui;
    testing::MemoryFileSystem files;
    testing::MemoryProcesses processes{files};
    MemoryRegistry& registry;
    platform::Platform platform{ui, files, processes, registry, testing::kIdentity};
    about::AboutWindow about{platform};
    MainWindow mainWindow{platform, about};
};

void putText(MemoryRegistry& store, const std::string& name, const std::string& text,
             RegistryKey root = kHkeyLocalMachine) {
    store.putText(root, settingsKeyUnder(root), name, text);
}

std::string storedText(const MemoryRegistry& store, const std::string& name, RegistryKey root = kHkeyLocalMachine,
                       const std::string& path = "") {
    const MemoryRegistry::Value* v = store.find(root, path.empty() ? settingsKeyUnder(root) : path, name);
    if (v == nullptr) return "<absent>";
    if (v->type != platform::kRegSz) return "<type " + std::to_string(v->type) + ">";
    return platform::textFromRegistry(v->data);
}

// --- Loading -----------------------------------------------------------------

TEST(SettingsLoadTest, FirstRunTicksTheDropFrameRunAndEmptiesEveryPath) {
    MemoryRegistry store;
    Program p(store);
    p.start();
    EXPECT_EQ(p.check(dropFrameCheck), CheckState::Ticked);
    EXPECT_EQ(p.check(noOptionsCheck), CheckState::Clear);
    EXPECT_EQ(p.text(pulldownPathBox), "");  // not the layout's "pulldown.exe"
    EXPECT_EQ(p.text(outputPathBox), "");
    EXPECT_EQ(p.text(vafPathBox), "");
    EXPECT_FALSE(store.keyExists(kHkeyLocalMachine, settingsKeyUnder(kHkeyLocalMachine)));
    EXPECT_EQ(store.openHandles(), 0);
}

// The pulldown tool that came with the program fills the box of a first run;
// a stored path wins, whatever it is.
TEST(SettingsLoadTest, AFirstRunOffersThePulldownToolBesideTheProgram) {
    const std::string folder = "C:\\Program Files\\Morvane\\";
    const struct {
        const char* besideTheProgram;  // what lies there under the tool's name
        std::optional<std::string> stored;
        std::string shown;
    } rows[] = {{"file", std::nullopt, folder + "morvane-pulldown.exe"},
                {"file", "D:\\Tools\\pulldown.exe", "D:\\Tools\\pulldown.exe"},
                {"file", "", ""},
                {"nothing", std::nullopt, ""},
                {"folder", std::nullopt, ""}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.shown);
        MemoryRegistry store;
        if (row.stored) putText(store, "txtPullPath", *row.stored);
        Program p(store);
        p.platform.identity.folder = folder;
        if (row.besideTheProgram == std::string("file")) p.files.addFile(folder + "morvane-pulldown.exe");
        if (row.besideTheProgram == std::string("folder")) p.files.addDirectory(folder + "morvane-pulldown.exe");
        p.start();
        EXPECT_EQ(p.text(pulldownPathBox), row.shown);
    }
}

TEST(SettingsLoadTest, RestoresTheStoredPathsAndStates) {
    MemoryRegistry store;
    putText(store, "txtPullPath", "C:\\Tools\\pulldown.exe");
    putText(store, "txtMPath", "D:\\Encodes\\movie.m2v");
    putText(store, "txtMvaf", "D:\\Encodes\\other.vaf");
    putText(store, "chkDrop", "0");
    putText(store, "chkNoDrop", "1");
    Program p(store);
    p.start();
    EXPECT_EQ(p.text(pulldownPathBox), "C:\\Tools\\pulldown.exe");
    EXPECT_EQ(p.text(outputPathBox), "D:\\Encodes\\movie.m2v");
    EXPECT_EQ(p.text(vafPathBox), "D:\\Encodes\\other.vaf");
    EXPECT_EQ(p.check(dropFrameCheck), CheckState::Clear);
    EXPECT_EQ(p.check(noOptionsCheck), CheckState::Ticked);
    EXPECT_EQ(store.openHandles(), 0);
}

TEST(SettingsLoadTest, AStoredDropFrameZeroAloneClearsItLeavesTheOtherBoxAndSkipsTheBothRunsValue) {
    MemoryRegistry store;
    putText(store, "chkDrop", "0");
    store.putDword(kHkeyLocalMachine, settingsKeyUnder(kHkeyLocalMachine), "optDrop", 0xFFFFFFFF);
    Program p(store);
    p.start();
    EXPECT_EQ(p.check(dropFrameCheck), CheckState::Clear);
    EXPECT_EQ(p.check(noOptionsCheck), CheckState::Clear);  // its layout state
}

TEST(SettingsLoadTest, TheBothRunsValueDecidesOnlyWhenNeitherBoxIsStored) {
    const struct {
        const char* what;
        bool bothEmptyTexts;
        std::function<void(MemoryRegistry&)> bothRuns;
        CheckState noDrop;
    } cases[] = {
        {"absent", false, [](MemoryRegistry&) {}, CheckState::Clear},
        {"number -1", false,
         [](MemoryRegistry& s) {
             s.putDword(kHkeyLocalMachine, settingsKeyUnder(kHkeyLocalMachine), "optDrop", 0xFFFFFFFF);
         },
         CheckState::Ticked},
        {"number -1, boxes stored empty", true,
         [](MemoryRegistry& s) {
             s.putDword(kHkeyLocalMachine, settingsKeyUnder(kHkeyLocalMachine), "optDrop", 0xFFFFFFFF);
         },
         CheckState::Ticked},
        {"number 0", false,
         [](MemoryRegistry& s) { s.putDword(kHkeyLocalMachine, settingsKeyUnder(kHkeyLocalMachine), "optDrop", 0); },
         CheckState::Clear},
        {"number 1", false,
         [](MemoryRegistry& s) { s.putDword(kHkeyLocalMachine, settingsKeyUnder(kHkeyLocalMachine), "optDrop", 1); },
         CheckState::Clear},
        {"text -1", false, [](MemoryRegistry& s) { putText(s, "optDrop", "-1"); }, CheckState::Ticked},
        {"text True", false, [](MemoryRegistry& s) { putText(s, "optDrop", "True"); }, CheckState::Ticked},
        {"text  true ", false, [](MemoryRegistry& s) { putText(s, "optDrop", " true "); }, CheckState::Ticked},
        {"text True and a NUL", false,
         [](MemoryRegistry& s) {
             s.put(kHkeyLocalMachine, settingsKeyUnder(kHkeyLocalMachine), "optDrop", platform::kRegSz,
                   testing::utf16le(std::u16string_view(u"True\0", 5)));
         },
         CheckState::Ticked},
        {"text False", false, [](MemoryRegistry& s) { putText(s, "optDrop", "False"); }, CheckState::Clear},
        {"text 1", false, [](MemoryRegistry& s) { putText(s, "optDrop", "1"); }, CheckState::Clear},
        {"text Truely", false, [](MemoryRegistry& s) { putText(s, "optDrop", "Truely"); }, CheckState::Clear},
        {"empty text", false, [](MemoryRegistry& s) { putText(s, "optDrop", ""); }, CheckState::Clear},
        {"binary", false,
         [](MemoryRegistry& s) {
             s.put(kHkeyLocalMachine, settingsKeyUnder(kHkeyLocalMachine), "optDrop", platform::kRegBinary,
                   {std::byte{0xFF}});
         },
         CheckState::Clear},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MemoryRegistry store;
        store.putText(kHkeyLocalMachine, settingsKeyUnder(kHkeyLocalMachine), "txtMPath", "x");  // the key exists
        if (c.bothEmptyTexts) {
            putText(store, "chkDrop", "");
            putText(store, "chkNoDrop", "");
        }
        c.bothRuns(store);
        Program p(store);
        p.start();
        EXPECT_EQ(p.check(dropFrameCheck), CheckState::Ticked);
        EXPECT_EQ(p.check(noOptionsCheck), c.noDrop);
    }
}

TEST(SettingsLoadTest, OnlyAWholeNumberFromZeroToTwoIsACheckState) {
    using Put = std::function<void(MemoryRegistry&, const std::string&)>;
    auto text = [](std::string t) -> Put {
        return [t](MemoryRegistry& s, const std::string& name) { putText(s, name, t); };
    };
    auto number = [](std::uint32_t n) -> Put {
        return [n](MemoryRegistry& s, const std::string& name) {
            s.putDword(kHkeyLocalMachine, settingsKeyUnder(kHkeyLocalMachine), name, n);
        };
    };
    auto raw = [](std::uint32_t type, std::vector<std::byte> data) -> Put {
        return [type, data](MemoryRegistry& s, const std::string& name) {
            s.put(kHkeyLocalMachine, settingsKeyUnder(kHkeyLocalMachine), name, type, data);
        };
    };
    const struct {
        const char* what;
        Put put;
        std::optional<CheckState> state;  // nothing: counts as absent
    } cases[] = {
        {"text 0", text("0"), CheckState::Clear},
        {"text 1", text("1"), CheckState::Ticked},
        {"text 2", text("2"), CheckState::Greyed},
        {"text  1 ", text(" 1 "), CheckState::Ticked},
        {"text 01", text("01"), CheckState::Ticked},
        {"number 1", number(1), CheckState::Ticked},
        {"number 2", number(2), CheckState::Greyed},
        {"text abc", text("abc"), std::nullopt},
        {"text 7", text("7"), std::nullopt},
        {"text 3", text("3"), std::nullopt},
        {"text -1", text("-1"), std::nullopt},
        {"text 1.5", text("1.5"), std::nullopt},
        {"huge text", text("99999999999999999999"), std::nullopt},
        {"text 65537", text("65537"), std::nullopt},
        {"number 7", number(7), std::nullopt},
        {"number -1", number(0xFFFFFFFF), std::nullopt},
        {"number 65537", number(65537), std::nullopt},
        {"binary", raw(platform::kRegBinary, {std::byte{1}}), std::nullopt},
        {"expandable text", raw(platform::kRegExpandSz, testing::utf16le(u"1")), std::nullopt},
        // As regedit stores it, with its NUL.
        {"text 1 and a NUL", raw(platform::kRegSz, testing::utf16le(std::u16string_view(u"1\0", 2))),
         CheckState::Ticked},
        {"text 1 and a NUL inside",
         raw(platform::kRegSz, testing::utf16le(std::u16string_view(u"1\0"
                                                                    "1",
                                                                    3))),
         std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        {
            // The other state stored: a hostile one is absent, and its box keeps its design.
            MemoryRegistry store;
            c.put(store, "chkDrop");
            putText(store, "chkNoDrop", "1");
            EXPECT_EQ(settings::loadOptions(store).dropFrame, c.state);
        }
        {
            // Both hostile: the fallback runs as on a first start.
            MemoryRegistry store;
            c.put(store, "chkDrop");
            c.put(store, "chkNoDrop");
            Program p(store);
            p.start();
            EXPECT_EQ(p.check(dropFrameCheck), c.state.value_or(CheckState::Ticked));
            EXPECT_EQ(p.check(noOptionsCheck), c.state.value_or(CheckState::Clear));
        }
    }
}

TEST(SettingsLoadTest, TheStoredVafPathReplacesTheDerivedOneEvenWhenAbsent) {
    for (const bool vafStored : {false, true}) {
        SCOPED_TRACE(vafStored);
        MemoryRegistry store;
        putText(store, "txtMPath", "D:\\Encodes\\movie.m2v");
        if (vafStored) putText(store, "txtMvaf", "E:\\kept.vaf");
        Program p(store);
        p.start();
        EXPECT_EQ(p.text(outputPathBox), "D:\\Encodes\\movie.m2v");
        EXPECT_EQ(p.text(vafPathBox), vafStored ? "E:\\kept.vaf" : "");
    }
}

TEST(SettingsLoadTest, AStoredNumberCountsAsPresentThroughItsDecimalText) {
    MemoryRegistry store;
    store.putDword(kHkeyLocalMachine, settingsKeyUnder(kHkeyLocalMachine), "txtPullPath", 42);
    Program p(store);
    p.start();
    EXPECT_EQ(p.text(pulldownPathBox), "42");
}

// --- Saving ------------------------------------------------------------------

TEST(SettingsSaveTest, EveryCloseRequestCreatesTheKeyAndWritesFiveTexts) {
    const struct {
        const char* cause;
        std::function<void(Program&)> close;
    } causes[] = {
        {"close box", [](Program& p) { p.window().pressCloseBox(); }},
        {"File > Exit", [](Program& p) { p.window().click(exitItem); }},
        {"unload", [](Program& p) { p.window().unload(); }},
    };
    for (const auto& c : causes) {
        SCOPED_TRACE(c.cause);
        MemoryRegistry store;
        Program p(store);
        p.start();
        c.close(p);
        for (const char* path : {"txtPullPath", "txtMPath", "txtMvaf"}) EXPECT_EQ(storedText(store, path), "");
        EXPECT_EQ(storedText(store, "chkDrop"), "1");
        EXPECT_EQ(storedText(store, "chkNoDrop"), "0");
        EXPECT_FALSE(store.keyExists(kHkeyCurrentUser, settingsKeyUnder(kHkeyCurrentUser)));
        EXPECT_EQ(store.openHandles(), 0);
    }
}

TEST(SettingsSaveTest, WritesWhatTheControlsHoldAsTextsOverEarlierTypesAndLeavesTheBothRunsValue) {
    MemoryRegistry store;
    store.putDword(kHkeyLocalMachine, settingsKeyUnder(kHkeyLocalMachine), "chkDrop", 1);
    store.putDword(kHkeyLocalMachine, settingsKeyUnder(kHkeyLocalMachine), "txtMPath", 5);
    store.putDword(kHkeyLocalMachine, settingsKeyUnder(kHkeyLocalMachine), "optDrop", 0xFFFFFFFF);
    const MemoryRegistry::Value bothRunsBefore =
        *store.find(kHkeyLocalMachine, settingsKeyUnder(kHkeyLocalMachine), "optDrop");
    Program p(store);
    p.start();
    p.control(pulldownPathBox).setText("C:\\Tools\\pulldown.exe");
    p.control(outputPathBox).setText("D:\\Encodes\\movie.m2v");
    p.control(vafPathBox).setText("D:\\Encodes\\movie.vaf");
    p.control(dropFrameCheck).setCheckState(CheckState::Clear);
    p.control(noOptionsCheck).setCheckState(CheckState::Greyed);
    p.window().pressCloseBox();

    EXPECT_EQ(storedText(store, "txtPullPath"), "C:\\Tools\\pulldown.exe");
    EXPECT_EQ(storedText(store, "txtMPath"), "D:\\Encodes\\movie.m2v");
    EXPECT_EQ(storedText(store, "txtMvaf"), "D:\\Encodes\\movie.vaf");
    EXPECT_EQ(storedText(store, "chkDrop"), "0");
    EXPECT_EQ(storedText(store, "chkNoDrop"), "2");
    const MemoryRegistry::Value* bothRuns =
        store.find(kHkeyLocalMachine, settingsKeyUnder(kHkeyLocalMachine), "optDrop");
    ASSERT_NE(bothRuns, nullptr);
    EXPECT_EQ(bothRuns->type, bothRunsBefore.type);
    EXPECT_EQ(bothRuns->data, bothRunsBefore.data);
}

TEST(SettingsSaveTest, PathsComeBackIntactOnTheNextStartBlanksAndAllScripts) {
    const std::string paths[] = {
        "  C:\\Program Files\\Pull Down\\pulldown.exe  ",
        "D:\\\xD0\x92\xD0\xB8\xD0\xB4\xD0\xB5\xD0\xBE\\\xE6\x98\xA0\xE7\x94\xBB \xF0\x9F\x8E\xAC.m2v",
        "\\\\server\\share\\f\xC3\xBCr.vaf ",
    };
    MemoryRegistry store;
    {
        Program first(store);
        first.start();
        first.control(pulldownPathBox).setText(paths[0]);
        first.control(outputPathBox).setText(paths[1]);
        first.control(vafPathBox).setText(paths[2]);
        first.control(dropFrameCheck).setCheckState(CheckState::Clear);
        first.control(noOptionsCheck).setCheckState(CheckState::Ticked);
        first.window().pressCloseBox();
    }
    Program second(store);
    second.start();
    EXPECT_EQ(second.text(pulldownPathBox), paths[0]);
    EXPECT_EQ(second.text(outputPathBox), paths[1]);
    EXPECT_EQ(second.text(vafPathBox), paths[2]);
    EXPECT_EQ(second.check(dropFrameCheck), CheckState::Clear);
    EXPECT_EQ(second.check(noOptionsCheck), CheckState::Ticked);
}

// --- The per-user key --------------------------------------------------------

// The per-user key, the earlier program's virtualised copy, the machine-wide
// key and version 1.0.1's: the first that exists loads, and the save goes
// where the next load will look first.
TEST(SettingsPlacesTest, TheFirstPlaceThatExistsLoadsAndTheSaveGoesWhereTheNextLoadLooksFirst) {
    const std::pair<RegistryKey, std::string> places[] = {
        {kHkeyCurrentUser, kPath},
        {kHkeyCurrentUser, std::string(settings::kVirtualisedKey.path)},
        {kHkeyLocalMachine, settingsKeyUnder(kHkeyLocalMachine)},
        {kHkeyLocalMachine, kPath}};
    const struct {
        unsigned held;  // bit i: place i holds a value
        int loaded;     // -1: none
        int saved;
        bool machineRefusesWrites = false;
    } rows[] = {{0b1111, 0, 0},  {0b1110, 1, 0}, {0b1100, 2, 2},      {0b1000, 3, 2},
                {0b0000, -1, 2}, {0b1010, 1, 0}, {0b1000, 3, 0, true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.held);
        MemoryRegistry store;
        for (std::size_t i = 0; i < std::size(places); ++i)
            if (row.held & (1u << i)) store.putText(places[i].first, places[i].second, "txtMPath", std::to_string(i));
        if (row.machineRefusesWrites) store.denyAccess(kHkeyLocalMachine, kWriteRights);
        Program p(store);
        p.platform.identity.folder = "C:\\Morvane\\";
        p.files.addFile("C:\\Morvane\\morvane-pulldown.exe");
        p.start();
        EXPECT_EQ(p.text(outputPathBox), row.loaded < 0 ? "" : std::to_string(row.loaded));
        // Options in any place, even without a pulldown path, are no first run.
        EXPECT_EQ(p.text(pulldownPathBox), row.loaded < 0 ? "C:\\Morvane\\morvane-pulldown.exe" : "");
        p.control(outputPathBox).setText("saved");
        p.window().pressCloseBox();
        for (std::size_t i = 0; i < std::size(places); ++i) {
            const std::string expected = static_cast<int>(i) == row.saved ? "saved"
                                         : (row.held & (1u << i))         ? std::to_string(i)
                                                                          : "<absent>";
            EXPECT_EQ(storedText(store, "txtMPath", places[i].first, places[i].second), expected) << "place " << i;
        }
    }
}

TEST(SettingsPerUserTest, AMachineWideKeyThatRefusesWritesSendsTheSaveToThePerUserKey) {
    for (const bool oldInstallation : {false, true}) {
        SCOPED_TRACE(oldInstallation);
        MemoryRegistry store;
        if (oldInstallation) {
            putText(store, "txtPullPath", "C:\\Old\\pulldown.exe");
            putText(store, "chkDrop", "1");
            putText(store, "chkNoDrop", "1");
        }
        store.denyAccess(kHkeyLocalMachine, kWriteRights);
        {
            Program p(store);
            p.start();
            // An older installation's settings still load, through a read-only open.
            EXPECT_EQ(p.text(pulldownPathBox), oldInstallation ? "C:\\Old\\pulldown.exe" : "");
            EXPECT_EQ(p.check(noOptionsCheck), oldInstallation ? CheckState::Ticked : CheckState::Clear);
            p.control(pulldownPathBox).setText("C:\\New\\pulldown.exe");
            p.window().pressCloseBox();
        }
        EXPECT_EQ(storedText(store, "txtPullPath", kHkeyCurrentUser), "C:\\New\\pulldown.exe");
        EXPECT_EQ(storedText(store, "chkDrop", kHkeyCurrentUser), "1");
        EXPECT_EQ(storedText(store, "chkNoDrop", kHkeyCurrentUser), oldInstallation ? "1" : "0");
        // Nothing machine-wide is changed or deleted.
        EXPECT_EQ(storedText(store, "txtPullPath"), oldInstallation ? "C:\\Old\\pulldown.exe" : "<absent>");
        EXPECT_EQ(store.openHandles(), 0);

        Program next(store);
        next.start();
        EXPECT_EQ(next.text(pulldownPathBox), "C:\\New\\pulldown.exe");
    }
}

TEST(SettingsPerUserTest, AnExistingPerUserKeyIsReadAndWrittenInsteadOfTheMachineWideOne) {
    MemoryRegistry store;
    putText(store, "txtMPath", "D:\\machine.m2v");
    putText(store, "chkDrop", "0");
    putText(store, "txtMPath", "D:\\user.m2v", kHkeyCurrentUser);
    Program p(store);
    p.start();
    EXPECT_EQ(p.text(outputPathBox), "D:\\user.m2v");
    EXPECT_EQ(p.check(dropFrameCheck), CheckState::Ticked);  // nothing per user: the fallback

    p.control(outputPathBox).setText("D:\\changed.m2v");
    p.window().pressCloseBox();
    EXPECT_EQ(storedText(store, "txtMPath", kHkeyCurrentUser), "D:\\changed.m2v");
    EXPECT_EQ(storedText(store, "txtMPath"), "D:\\machine.m2v");
    EXPECT_EQ(storedText(store, "txtPullPath"), "<absent>");
}

}  // namespace
}  // namespace morvane
