#pragma once

#include <string>
#include <string_view>

#include "platform/registry.h"

// The lookup of the system information viewer, which the About window starts.
namespace morvane::about {

// One registry value as the viewer's lookup reads it.
struct LookedUpValue {
    enum class Outcome {
        Found,    // the value was read, whatever its type
        Missing,  // no key, no value, or a value longer than the buffer: the next place is tried
        Failed,   // a value of no bytes: the lookup ends, and the viewer counts as unavailable
    };
    Outcome outcome = Outcome::Missing;
    // A text without its one final NUL, or a DWORD's decimal digits; empty for
    // any other type and for every outcome but Found.
    std::string text;
};

// Reads one value below a root key, opening the key with read rights only.
[[nodiscard]] LookedUpValue lookUpValue(platform::Registry& registry, platform::RegistryKey root,
                                        std::string_view keyPath, std::string_view valueName);

}  // namespace morvane::about
