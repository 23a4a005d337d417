#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "about/about_constants.h"
#include "about/about_window.h"
#include "about/about_window_layout.h"
#include "about/system_info.h"
#include "memory_platform.h"
#include "platform/registry_data.h"
#include "platform/text.h"

namespace morvane {
namespace {

using namespace platform;
using about::AboutWindow;
using Outcome = about::LookedUpValue::Outcome;
using testing::MemoryPlatform;
using testing::MemoryRegistry;

const std::string kKey = "SOFTWARE\\Test";
const std::string kPathKey(about::kSystemInfoKey);
const std::string kLocationKey(about::kSystemInfoLocationKey);
const std::string kUnavailable(about::kSystemInfoUnavailable);

// A text as the system stores it: UTF-16LE, followed by `nuls` NUL characters.
std::vector<std::byte> utf16(const std::string& utf8, int nuls = 0) {
    return registryText(utf8 + std::string(static_cast<std::size_t>(nuls), '\0'));
}

std::vector<std::byte> bytesOf(std::initializer_list<unsigned> values) {
    std::vector<std::byte> bytes;
    for (unsigned v : values) bytes.push_back(std::byte(v));
    return bytes;
}

struct ValueLookupCase {
    const char* what;
    std::function<void(MemoryRegistry&)> arrange;
    bool result;
    std::string text;
};

TEST(ValueLookupTest, ReadsTextAndDwordValuesAndTurnsFailuresIntoEmptyFalse) {
    const std::string path = "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo\\msinfo32.exe";
    // clang-format off
    const ValueLookupCase cases[] = {
        {"key missing", [](MemoryRegistry&) {}, false, ""},
        {"value missing", [](MemoryRegistry& r) { r.putDword(kHkeyLocalMachine, kKey, "Other", 1); }, false, ""},
        {"text without NUL", [&](MemoryRegistry& r) { r.put(kHkeyLocalMachine, kKey, "V", kRegSz, utf16(path)); },
         true, path},
        {"text with its NUL", [&](MemoryRegistry& r) { r.put(kHkeyLocalMachine, kKey, "V", kRegSz, utf16(path, 1)); },
         true, path},
        {"only the final NUL goes",
         [](MemoryRegistry& r) { r.put(kHkeyLocalMachine, kKey, "V", kRegSz, utf16("ab", 2)); }, true,
         std::string("ab\0", 3)},
        {"a single NUL", [](MemoryRegistry& r) { r.put(kHkeyLocalMachine, kKey, "V", kRegSz, utf16("", 1)); }, true,
         ""},
        {"non-ASCII text",
         [](MemoryRegistry& r) { r.putText(kHkeyLocalMachine, kKey, "V", "C:\\Syst\xC3\xA8me\\\xD0\x92.exe"); }, true,
         "C:\\Syst\xC3\xA8me\\\xD0\x92.exe"},
        {"1024 bytes fit",
         [](MemoryRegistry& r) { r.put(kHkeyLocalMachine, kKey, "V", kRegSz, utf16(std::string(512, 'x'))); }, true,
         std::string(512, 'x')},
        {"1025 bytes count as absent",
         [](MemoryRegistry& r) {
             auto bytes = utf16(std::string(512, 'x'));
             bytes.push_back(std::byte{0});
             r.put(kHkeyLocalMachine, kKey, "V", kRegSz, bytes);
         },
         false, ""},
        {"longer text counts as absent",
         [](MemoryRegistry& r) { r.put(kHkeyLocalMachine, kKey, "V", kRegSz, utf16(std::string(600, 'x'), 1)); },
         false, ""},
        {"DWORD 1000", [](MemoryRegistry& r) { r.putDword(kHkeyLocalMachine, kKey, "V", 1000); }, true, "1000"},
        {"DWORD 0", [](MemoryRegistry& r) { r.putDword(kHkeyLocalMachine, kKey, "V", 0); }, true, "0"},
        {"DWORD with the top bit set", [](MemoryRegistry& r) { r.putDword(kHkeyLocalMachine, kKey, "V", 0xFFFFFFFF); },
         true, "4294967295"},
        {"long DWORD", [](MemoryRegistry& r) { r.put(kHkeyLocalMachine, kKey, "V", kRegDword, bytesOf({0xE8, 3, 0, 0, 1})); },
         true, "1000"},
        {"short DWORD", [](MemoryRegistry& r) { r.put(kHkeyLocalMachine, kKey, "V", kRegDword, bytesOf({0xE8, 3})); },
         true, "1000"},
        {"expandable text is left alone",
         [&](MemoryRegistry& r) { r.put(kHkeyLocalMachine, kKey, "V", kRegExpandSz, utf16(path, 1)); }, true,
         ""},
        {"binary is left alone",
         [](MemoryRegistry& r) { r.put(kHkeyLocalMachine, kKey, "V", kRegBinary, bytesOf({1, 2, 3})); }, true,
         ""},
        {"other root", [&](MemoryRegistry& r) { r.putText(kHkeyCurrentUser, kKey, "V", path); }, false, ""},
    };
    // clang-format on
    for (const ValueLookupCase& c : cases) {
        SCOPED_TRACE(c.what);
        MemoryPlatform desktop;
        c.arrange(desktop.registry);
        const about::LookedUpValue value = about::lookUpValue(desktop.registry, kHkeyLocalMachine, kKey, "V");
        EXPECT_EQ(value.outcome, c.result ? Outcome::Found : Outcome::Missing);
        EXPECT_EQ(value.text, c.text);
        EXPECT_EQ(desktop.registry.openHandles(), 0);
    }
}

TEST(ValueLookupTest, AValueOfNoBytesFailsAsAWholeAndStillClosesTheKey) {
    for (std::uint32_t type : {kRegSz, kRegDword, kRegBinary}) {
        MemoryPlatform desktop;
        desktop.registry.put(kHkeyLocalMachine, kKey, "V", type, {});
        EXPECT_EQ(about::lookUpValue(desktop.registry, kHkeyLocalMachine, kKey, "V").outcome, Outcome::Failed) << type;
        EXPECT_EQ(desktop.registry.openHandles(), 0);
    }
}

TEST(ValueLookupTest, OpensForReadingOnlySoAReadOnlyMachineKeyStillAnswers) {
    MemoryPlatform desktop;
    desktop.registry.putText(kHkeyLocalMachine, kPathKey, "PATH", "C:\\msinfo32.exe");
    // What a standard user may not do below HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft.
    constexpr std::uint32_t kWriteRights = 0x0002 | 0x0004 | 0x0020;  // set value, create subkey, create link
    desktop.registry.denyAccess(kHkeyLocalMachine, kWriteRights);
    EXPECT_EQ(about::lookUpValue(desktop.registry, kHkeyLocalMachine, kPathKey, "PATH").text, "C:\\msinfo32.exe");
    EXPECT_EQ(desktop.registry.accessMasks, std::vector<std::uint32_t>{0x20001});
}

// The About window's "System Info..." on the in-memory desktop.
testing::MemoryWindow& memoryWindow(AboutWindow& about) { return dynamic_cast<testing::MemoryWindow&>(about.window()); }

struct SystemInfoCase {
    const char* what;
    std::function<void(MemoryPlatform&)> arrange;
    std::vector<std::string> started;  // programs, each with style 1 and no arguments
    std::vector<std::string> attempts;
    bool message;
};

TEST(SystemInfoStartTest, FindsTheViewerThroughTheTwoLookupsOrSaysItIsUnavailable) {
    const std::string viewer = "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo\\msinfo32.exe";
    const std::string folder = "C:\\Windows\\System32";
    const std::string joined = folder + "\\MSINFO32.EXE";
    auto putPath = [](MemoryPlatform& d, const std::vector<std::byte>& bytes, std::uint32_t type = kRegSz) {
        d.registry.put(kHkeyLocalMachine, kPathKey, "PATH", type, bytes);
    };
    auto putFolder = [](MemoryPlatform& d, const std::vector<std::byte>& bytes, std::uint32_t type = kRegSz) {
        d.registry.put(kHkeyLocalMachine, kLocationKey, "MSINFO", type, bytes);
    };
    auto folderWithViewer = [&](MemoryPlatform& d) {
        putFolder(d, utf16(folder, 1));
        d.files.addFile(joined);
    };

    // clang-format off
    const SystemInfoCase cases[] = {
        {"PATH names an existing viewer", [&](MemoryPlatform& d) { putPath(d, utf16(viewer, 1)); d.files.addFile(viewer); },
         {viewer}, {viewer}, false},
        {"PATH in double quotes",
         [&](MemoryPlatform& d) { putPath(d, utf16('"' + viewer + '"', 1)); d.files.addFile(viewer); }, {viewer},
         {viewer}, false},
        {"PATH with an opening quote alone is taken as it stands",
         [&](MemoryPlatform& d) { putPath(d, utf16('"' + viewer, 1)); d.files.addFile(viewer); }, {},
         {'"' + viewer}, true},
        {"PATH is started as the one program, untested, spaces and all",
         [&](MemoryPlatform& d) {
             putPath(d, utf16(viewer));
             d.files.addFile(viewer);
             folderWithViewer(d);
         },
         {viewer}, {viewer}, false},
        {"PATH names a missing program: no fallback to the folder",
         [&](MemoryPlatform& d) {
             putPath(d, utf16(viewer, 1));
             folderWithViewer(d);
         },
         {}, {viewer}, true},
        {"PATH absent, folder holds the viewer", folderWithViewer, {joined}, {joined}, false},
        {"PATH key present without the value", [&](MemoryPlatform& d) {
             d.registry.putText(kHkeyLocalMachine, kPathKey, "Other", viewer);
             folderWithViewer(d);
         },
         {joined}, {joined}, false},
        {"PATH over 1024 bytes counts as absent",
         [&](MemoryPlatform& d) {
             putPath(d, utf16(std::string(513, 'x')));
             folderWithViewer(d);
         },
         {joined}, {joined}, false},
        {"folder joined by plain concatenation",
         [&](MemoryPlatform& d) {
             putFolder(d, utf16("C:\\Tools\\"));
             d.files.addFile("C:\\Tools\\\\MSINFO32.EXE");
         },
         {"C:\\Tools\\\\MSINFO32.EXE"}, {"C:\\Tools\\\\MSINFO32.EXE"}, false},
        {"folder as a DWORD", [&](MemoryPlatform& d) {
             d.registry.putDword(kHkeyLocalMachine, kLocationKey, "MSINFO", 7);
             d.files.addFile("7\\MSINFO32.EXE");
         },
         {"7\\MSINFO32.EXE"}, {"7\\MSINFO32.EXE"}, false},
        {"folder without the viewer", [&](MemoryPlatform& d) { putFolder(d, utf16(folder, 1)); }, {}, {}, true},
        {"viewer in the folder is a directory",
         [&](MemoryPlatform& d) {
             putFolder(d, utf16(folder, 1));
             d.files.addDirectory(joined);
         },
         {}, {}, true},
        {"viewer in the folder is hidden: plain files only",
         [&](MemoryPlatform& d) {
             putFolder(d, utf16(folder, 1));
             d.files.addFile(joined, {.hidden = true});
         },
         {}, {}, true},
        {"viewer in the folder is a system file",
         [&](MemoryPlatform& d) {
             putFolder(d, utf16(folder, 1));
             d.files.addFile(joined, {.system = true});
         },
         {}, {}, true},
        {"viewer found in the folder but will not start",
         [&](MemoryPlatform& d) {
             folderWithViewer(d);
             d.processes.failing.insert(commandLineOf(joined, ""));
         },
         {}, {joined}, true},
        {"both values absent", [&](MemoryPlatform& d) {
             d.registry.putText(kHkeyLocalMachine, kPathKey, "Other", viewer);
             d.registry.putText(kHkeyLocalMachine, kLocationKey, "Other", folder);
         },
         {}, {}, true},
        {"both keys absent", [](MemoryPlatform&) {}, {}, {}, true},
        {"PATH of another type leaves an empty command line",
         [&](MemoryPlatform& d) {
             putPath(d, utf16(viewer, 1), kRegExpandSz);
             folderWithViewer(d);
         },
         {}, {""}, true},
        {"PATH of no bytes ends the lookups",
         [&](MemoryPlatform& d) {
             putPath(d, {});
             folderWithViewer(d);
         },
         {}, {}, true},
        {"folder of no bytes", [&](MemoryPlatform& d) {
             putFolder(d, {});
             d.files.addFile("\\MSINFO32.EXE");
         },
         {}, {}, true},
    };
    // clang-format on
    for (const SystemInfoCase& c : cases) {
        SCOPED_TRACE(c.what);
        MemoryPlatform desktop;
        c.arrange(desktop);
        AboutWindow about(desktop.platform);
        about.show();
        memoryWindow(about).click(about::systemInfoButton);

        std::vector<std::string> started;
        for (const auto& s : desktop.processes.started) {
            started.push_back(s.commandLine);
            EXPECT_EQ(s.style, ShowStyle::NormalFocus);
        }
        const auto lines = [](const std::vector<std::string>& programs) {
            std::vector<std::string> out;
            for (const std::string& program : programs) out.push_back(commandLineOf(program, ""));
            return out;
        };
        EXPECT_EQ(started, lines(c.started));
        EXPECT_EQ(desktop.processes.attempts, lines(c.attempts));
        ASSERT_EQ(desktop.ui.messages.size(), c.message ? 1u : 0u);
        if (c.message) {
            EXPECT_EQ(desktop.ui.messages[0].text, kUnavailable);
            EXPECT_EQ(desktop.ui.messages[0].title, "Morvane");
            EXPECT_EQ(desktop.ui.messages[0].icon, MessageIcon::None);
            EXPECT_EQ(desktop.ui.messages[0].owner, "aboutWindow");
        }
        EXPECT_TRUE(about.isOpen());
        EXPECT_EQ(desktop.registry.openHandles(), 0);
        for (std::uint32_t mask : desktop.registry.accessMasks) EXPECT_EQ(mask, about::kKeyValueAccess);
        EXPECT_TRUE(desktop.processes.shellOpened.empty());
    }
}

TEST(SystemInfoStartTest, MessageCarriesTheProgramsTitleAndTheWindowStaysUsable) {
    MemoryPlatform desktop;
    desktop.platform.identity.title = "Pull";
    AboutWindow about(desktop.platform);
    about.show();
    memoryWindow(about).click(about::systemInfoButton);
    memoryWindow(about).click(about::systemInfoButton);
    ASSERT_EQ(desktop.ui.messages.size(), 2u);
    EXPECT_EQ(desktop.ui.messages[1].title, "Pull");
    EXPECT_TRUE(about.isOpen());
    memoryWindow(about).click(about::okButton);
    EXPECT_FALSE(about.isOpen());
}

TEST(SystemInfoStartTest, WorksWhenTheMachineKeysAreReadOnly) {
    MemoryPlatform desktop;
    desktop.registry.putText(kHkeyLocalMachine, kPathKey, "PATH", "C:\\Windows\\System32\\msinfo32.exe");
    desktop.files.addFile("C:\\Windows\\System32\\msinfo32.exe");
    desktop.registry.denyAccess(kHkeyLocalMachine, 0x0002 | 0x0004 | 0x0020);
    AboutWindow about(desktop.platform);
    about.startSystemInfo();
    ASSERT_EQ(desktop.processes.started.size(), 1u);
    EXPECT_EQ(desktop.processes.started[0].commandLine, "\"C:\\Windows\\System32\\msinfo32.exe\"");
    EXPECT_TRUE(desktop.ui.messages.empty());
}

}  // namespace
}  // namespace morvane
