#pragma once

// Files, processes and the registry in memory.

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/processes.h"
#include "platform/registry.h"

namespace morvane::testing {

// What a file holds, as far as a start can tell.
enum class FileContent { Data, Program };

struct MemoryEntry {
    platform::EntryKinds kind;  // of the entry itself: hidden, system, a directory
    FileContent content = FileContent::Data;
    bool heldByOther = false;  // another process has it open
};

// Paths are compared case-insensitively (ASCII), and `/` separates as `\`
// does, as on Windows. The current folder exists.
class MemoryFileSystem final : public platform::FileSystem {
public:
    static constexpr std::string_view kCurrentFolder = "C:\\Users\\ana";

    MemoryFileSystem() { addDirectory(std::string(kCurrentFolder)); }
    // A file whose name ends in ".exe" is a program unless told otherwise.
    void addFile(const std::string& path, platform::EntryKinds kind = {});
    void addFile(const std::string& path, platform::EntryKinds kind, FileContent content);
    void addDirectory(const std::string& path);
    void remove(const std::string& path);
    void hold(const std::string& path, bool held = true);
    [[nodiscard]] bool contains(const std::string& path) const;

    [[nodiscard]] bool hasEntry(std::string_view path, platform::EntryKinds kinds) override;
    [[nodiscard]] bool openExclusively(std::string_view path) override;

    [[nodiscard]] std::string currentFolder() override { return std::string(kCurrentFolder); }

    // Whether a start of `program` finds a program file, as the system looks
    // for one: ".exe" added to a name without an extension, a bare name in
    // the current folder.
    [[nodiscard]] bool findsProgram(std::string_view program) const;

private:
    std::map<std::string, MemoryEntry> entries_;  // key: folded path
};

struct StartedProcess {
    std::string commandLine;  // as the program would get it
    platform::ShowStyle style;
};

// Starts only what the file system holds as a program.
class MemoryProcesses final : public platform::Processes {
public:
    explicit MemoryProcesses(const MemoryFileSystem& files) : files_(files) {}

    [[nodiscard]] bool start(std::string_view program, std::string_view arguments, platform::ShowStyle style) override;
    void shellOpen(const platform::Window* owner, std::string_view target) override;

    // Command lines whose start fails (matched on the whole text).
    std::set<std::string> failing;
    std::vector<StartedProcess> started;  // successful starts
    std::vector<std::string> attempts;    // every start asked for
    std::vector<std::string> shellOpened;

private:
    const MemoryFileSystem& files_;
};

class MemoryRegistry final : public platform::Registry {
public:
    struct Value {
        std::uint32_t type = 0;
        std::vector<std::byte> data;
    };

    platform::RegistryStatus openKey(platform::RegistryKey root, std::string_view path, std::uint32_t access,
                                     platform::RegistryKey& key) override;
    platform::RegistryStatus createKey(platform::RegistryKey root, std::string_view path, std::uint32_t access,
                                       platform::RegistryKey& key) override;
    platform::RegistryStatus queryValue(platform::RegistryKey key, std::string_view name, std::uint32_t& type,
                                        std::span<std::byte> data, std::uint32_t& size) override;
    platform::RegistryStatus setValue(platform::RegistryKey key, std::string_view name, std::uint32_t type,
                                      std::span<const std::byte> data) override;
    platform::RegistryStatus closeKey(platform::RegistryKey key) override;

    // Direct access for arranging and checking, bypassing handles.
    void put(platform::RegistryKey root, const std::string& path, const std::string& name, std::uint32_t type,
             std::vector<std::byte> data);
    void putText(platform::RegistryKey root, const std::string& path, const std::string& name,
                 const std::string& utf8);  // REG_SZ, UTF-16LE, no NUL
    void putDword(platform::RegistryKey root, const std::string& path, const std::string& name, std::uint32_t v);
    [[nodiscard]] const Value* find(platform::RegistryKey root, const std::string& path, const std::string& name) const;
    [[nodiscard]] bool keyExists(platform::RegistryKey root, const std::string& path) const;

    // Refuse opens that ask for any of these rights below a root ("read-only machine").
    void denyAccess(platform::RegistryKey root, std::uint32_t rights) { denied_[root] |= rights; }

    [[nodiscard]] int openHandles() const { return static_cast<int>(handles_.size()); }
    std::vector<std::uint32_t> accessMasks;  // of every open and create, in order

private:
    struct Key {
        std::map<std::string, Value> values;  // key: folded name
    };
    std::string keyOf(platform::RegistryKey root, std::string_view path, std::uint32_t access = 0) const;
    std::map<std::string, Key> keys_;  // key: root + folded path
    std::map<platform::RegistryKey, std::string> handles_;
    std::map<platform::RegistryKey, std::uint32_t> handleAccess_;
    std::map<platform::RegistryKey, std::uint32_t> denied_;
    platform::RegistryKey nextHandle_ = 0x1000;
};

}  // namespace morvane::testing
