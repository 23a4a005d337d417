#pragma once

#include <optional>
#include <string>

#include "platform/layout.h"
#include "platform/registry.h"

namespace morvane::settings {

// Whether the options were found in one of the places they may live.
enum class StoredIn { SomePlace, NoPlace };

// What is remembered between runs: the three paths and the two pulldown runs'
// check states. A check state is absent when nothing usable is stored for it;
// its box then keeps the state it was designed with.
struct Options {
    std::string pulldownPath;
    std::string outputPath;
    std::string vafPath;
    std::optional<platform::CheckState> dropFrame;
    std::optional<platform::CheckState> noOptions;
    StoredIn storedIn = StoredIn::SomePlace;  // NoPlace on a first run; never saved
};

// Reads the options from the first key that exists of: the per-user key, the
// earlier program's virtualised copy, the machine-wide key, and version
// 1.0.1's machine-wide key. Anything missing or unreadable reads as empty or
// absent; when none of them exists, storedIn says so.
[[nodiscard]] Options loadOptions(platform::Registry& registry);

// Writes them to the per-user key when it or the virtualised copy exists,
// otherwise to the machine-wide key, or per user where that cannot be
// written. An absent check state is not written.
void saveOptions(platform::Registry& registry, const Options& options);

}  // namespace morvane::settings
