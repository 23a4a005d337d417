#pragma once

#include <cstdint>
#include <string>

namespace morvane::pulldown {

enum class DropFrame { no, yes };

// A GOP header's time code as written: hours, minutes, seconds, frame number.
struct TimeCode {
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
    int frames = 0;
    bool operator==(const TimeCode&) const = default;
};

// Labels of a 30-frame (29.97 or 30) count. Drop-frame numbering skips frame
// numbers 0 and 1 at the start of every minute that is not a multiple of ten.
// Counts wrap at 24 hours, as the 5-bit hours field does.
std::int64_t framesOfLabel(TimeCode label, DropFrame drop);
TimeCode labelOfFrames(std::int64_t frames, DropFrame drop);

// The output's start: the input's hours, minutes and seconds, its frame
// number (counted at 24 a second) scaled to 30; a label that drop-frame
// numbering skips becomes the next one it has.
TimeCode startLabel(TimeCode input, DropFrame drop);

// 25 bits: drop_frame_flag, hours, minutes, marker, seconds, frames.
TimeCode readTimeCode(const std::uint8_t* groupHeader);
void writeTimeCode(std::uint8_t* groupHeader, TimeCode label, DropFrame drop);

std::string toText(TimeCode label, DropFrame drop);

}  // namespace morvane::pulldown
