#include "contract/desktop_contract.h"

namespace morvane::testing {

using platform::EntryKinds;
using platform::ShowStyle;

TEST_P(DesktopContract, AnEntryIsFoundWhenItsKindIsAskedForAndOpenedWhenItIsAFileNobodyHolds) {
    const struct {
        const char* name;
        Entry entry;
        bool aPlainFile;
        bool opens;
    } rows[] = {
        {"film.m2v", Entry::File, true, true},          {"pulldown.exe", Entry::Program, true, true},
        {"hidden.vaf", Entry::HiddenFile, false, true}, {"system.vaf", Entry::SystemFile, false, true},
        {"folder.m2v", Entry::Folder, false, false},    {"held.m2v", Entry::File, true, false},
    };
    for (const auto& row : rows) desktop().add(at(row.name), row.entry);
    desktop().hold(at("held.m2v"));  // by another process
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(desktop().files().hasEntry(at(row.name), EntryKinds::plainFiles()), row.aPlainFile);
        EXPECT_TRUE(desktop().files().hasEntry(at(row.name), EntryKinds::any()));
        EXPECT_EQ(desktop().files().openExclusively(at(row.name)), row.opens);
        EXPECT_EQ(desktop().files().openExclusively(at(row.name)), row.opens);  // the first left nothing open
    }
}

TEST_P(DesktopContract, HowAPathIsReadWhenLookingForAnEntry) {
    desktop().add(at("films\\film.m2v"), Entry::File);
    const struct {
        std::string path;
        bool found;
    } rows[] = {
        {at("films\\film.m2v"), true},
        {at("FILMS\\FILM.M2V"), true},
        {desktop().folder() + "/films/film.m2v", true},
        {at("films"), true},
        {at("films\\"), false},  // a trailing separator names no entry
        {at("films/"), false},
        {at("missing.m2v"), false},
        {at("missing\\film.m2v"), false},
        {at("films\\*.m2v"), false},  // patterns match nothing
        {at("films\\fil?.m2v"), false},
        {at("films\\missing.m2v:stream"), false},
        {"", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.path);
        // Opened first: the open never creates what it does not find.
        EXPECT_EQ(desktop().files().openExclusively(row.path), row.found && row.path != at("films"));
        EXPECT_EQ(desktop().files().hasEntry(row.path, EntryKinds::any()), row.found);
    }
}

TEST_P(DesktopContract, TheCurrentFolderIsAnAbsolutePathToAFolder) {
    const std::string folder = desktop().files().currentFolder();
    ASSERT_GE(folder.size(), 3u);
    EXPECT_EQ(folder.substr(1, 2), ":\\") << folder;
    EXPECT_TRUE(desktop().files().hasEntry(folder, EntryKinds::any())) << folder;
    EXPECT_FALSE(desktop().files().hasEntry(folder, EntryKinds::plainFiles())) << folder;
}

TEST_P(DesktopContract, OnlyAProgramFileStarts) {
    desktop().add(at("tools\\pulldown.exe"), Entry::Program);
    desktop().add(at("tools\\notes.exe"), Entry::File);
    desktop().add(at("tools\\readme.txt"), Entry::File);
    desktop().add(at("tools\\folder.exe"), Entry::Folder);
    const struct {
        std::string program;
        bool starts;
    } rows[] = {
        {at("tools\\pulldown.exe"), true},
        {at("TOOLS\\PULLDOWN.EXE"), true},
        {desktop().folder() + "/tools/pulldown.exe", true},
        {at("tools\\pulldown"), true},  // ".exe" is added to a name without an extension
        {at("tools\\missing.exe"), false},
        {at("missing\\pulldown.exe"), false},
        {at("tools\\folder.exe"), false},
        {at("tools"), false},
        {at("tools\\notes.exe"), false},  // named as a program, holding text
        {at("tools\\readme.txt"), false},
        {at("tools\\pulldown.exe\""), false},  // a quote would end the quoted path
        {"", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.program);
        EXPECT_EQ(desktop().processes().start(row.program, "in.m2v out.m2v", ShowStyle::MinimizedFocus), row.starts);
    }
}

}  // namespace morvane::testing
