#pragma once

#include <string>
#include <string_view>

namespace morvane::platform {

// The kinds of directory entry a lookup admits besides plain and read-only
// files, which it always admits.
struct EntryKinds {
    bool hidden = false;
    bool system = false;
    bool directories = false;

    [[nodiscard]] static constexpr EntryKinds plainFiles() { return {}; }
    [[nodiscard]] static constexpr EntryKinds any() { return {.hidden = true, .system = true, .directories = true}; }
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Whether `path` names a directory entry of one of these kinds. False
    // when there is none, the path is a pattern or a device, or the lookup fails.
    [[nodiscard]] virtual bool hasEntry(std::string_view path, EntryKinds kinds) = 0;

    // Opens the file sharing nothing with any other process, then closes it at
    // once. Never creates, truncates or writes. False on any failure.
    [[nodiscard]] virtual bool openExclusively(std::string_view path) = 0;

    // The folder that relative paths are resolved in. Empty when it cannot be read.
    [[nodiscard]] virtual std::string currentFolder() = 0;
};

}  // namespace morvane::platform
