#pragma once

#include <memory>

#include "pulldown/stream_files.h"

namespace morvane::platform::win32 {

// morvane-pulldown's files; an interrupt removes the temporary file.
std::unique_ptr<pulldown::StreamFiles> win32StreamFiles();

}  // namespace morvane::platform::win32
