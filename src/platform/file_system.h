#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace morvane::platform {

// Bits of a directory-entry attribute mask.
enum class EntryAttribute : std::uint32_t {
    ReadOnly = 1,
    Hidden = 2,
    System = 4,
    VolumeLabel = 8,
    Directory = 16,
};

using AttributeMask = std::uint32_t;

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Name of the directory entry that `path` names, when its attributes are
    // admitted by the mask (plain files always are); "" when there is no such
    // entry, the path is a pattern, or the lookup fails.
    [[nodiscard]] virtual std::string firstEntryName(std::string_view path, AttributeMask mask) = 0;

    // Opens the file sharing nothing with any other process, then closes it at
    // once. Never creates, truncates or writes. False on any failure.
    [[nodiscard]] virtual bool openExclusively(std::string_view path) = 0;
};

}  // namespace morvane::platform
