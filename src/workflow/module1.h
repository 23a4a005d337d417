#pragma once

#include <string_view>

#include "platform/file_system.h"

// The program's two questions about files. Every failure is a plain false.
namespace morvane::Module1 {

// Read-only, hidden, system, volume label, directory: every kind of entry.
inline constexpr platform::AttributeMask kAnyEntry = 31;

// True when `path` names an existing file or directory.
[[nodiscard]] bool FileExists(platform::FileSystem& files, std::string_view path);

// True when the file can be opened sharing nothing with other processes,
// that is, when no other process (the encoder) holds it open.
[[nodiscard]] bool FileIsFree(platform::FileSystem& files, std::string_view path);

}  // namespace morvane::Module1
