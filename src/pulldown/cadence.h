#pragma once

#include <cstdint>

namespace morvane::pulldown {

// The 2:3 cadence by display position: 3, 2, 3, 2 fields, so every four
// pictures give ten fields and the field parity never breaks.
struct FieldFlags {
    bool topFieldFirst;
    bool repeatFirstField;
};

inline FieldFlags cadenceFlags(std::int64_t displayIndex) {
    constexpr FieldFlags kCycle[4] = {{true, true}, {false, false}, {false, true}, {true, false}};
    return kCycle[displayIndex % 4];
}

// Fields shown before the picture at this display position.
inline std::int64_t fieldsBefore(std::int64_t displayIndex) {
    return 5 * (displayIndex / 2) + 3 * (displayIndex % 2);
}

}  // namespace morvane::pulldown
