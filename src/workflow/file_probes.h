#pragma once

#include <string_view>

#include "platform/file_system.h"

// The program's two questions about files. Every failure is a plain false.
namespace morvane::workflow {

// True when `path` names an existing file or directory.
[[nodiscard]] bool exists(platform::FileSystem& files, std::string_view path);

// True when the file can be opened sharing nothing with other processes,
// that is, when no other process (the encoder) holds it open.
[[nodiscard]] bool isFree(platform::FileSystem& files, std::string_view path);

}  // namespace morvane::workflow
