#include "pulldown/time_code.h"

#include <algorithm>
#include <cstdio>

namespace morvane::pulldown {
namespace {

constexpr std::int64_t kFramesPerSecond = 30;
constexpr std::int64_t kFramesPerMinute = 60 * kFramesPerSecond;
constexpr std::int64_t kDroppedPerMinute = 2;
// Ten minutes of drop-frame numbering: the first minute keeps all its labels.
constexpr std::int64_t kFramesPerTenDropMinutes = 10 * kFramesPerMinute - 9 * kDroppedPerMinute;
constexpr std::int64_t kFramesPerDropMinute = kFramesPerMinute - kDroppedPerMinute;
constexpr std::int64_t kHoursPerDay = 24;

std::int64_t framesPerDay(DropFrame drop) {
    return drop == DropFrame::yes ? kHoursPerDay * 6 * kFramesPerTenDropMinutes : kHoursPerDay * 60 * kFramesPerMinute;
}

std::int64_t wrapDay(std::int64_t frames, DropFrame drop) {
    std::int64_t day = framesPerDay(drop);
    return ((frames % day) + day) % day;
}

}  // namespace

std::int64_t framesOfLabel(TimeCode label, DropFrame drop) {
    std::int64_t minutes = 60 * std::int64_t{label.hours} + label.minutes;
    std::int64_t frames = (60 * minutes + label.seconds) * kFramesPerSecond + label.frames;
    if (drop == DropFrame::yes) frames -= kDroppedPerMinute * (minutes - minutes / 10);
    return wrapDay(frames, drop);
}

TimeCode labelOfFrames(std::int64_t frames, DropFrame drop) {
    frames = wrapDay(frames, drop);
    if (drop == DropFrame::yes) {
        std::int64_t tens = frames / kFramesPerTenDropMinutes;
        std::int64_t rest = frames % kFramesPerTenDropMinutes;
        std::int64_t skipped = rest < kFramesPerMinute ? 0 : (rest - kDroppedPerMinute) / kFramesPerDropMinute;
        frames += 9 * kDroppedPerMinute * tens + kDroppedPerMinute * skipped;
    }
    return {static_cast<int>(frames / (60 * kFramesPerMinute)), static_cast<int>(frames / kFramesPerMinute % 60),
            static_cast<int>(frames / kFramesPerSecond % 60), static_cast<int>(frames % kFramesPerSecond)};
}

TimeCode startLabel(TimeCode input, DropFrame drop) {
    TimeCode out = input;
    out.frames = std::min(input.frames * 5 / 4, static_cast<int>(kFramesPerSecond) - 1);
    bool skipped = drop == DropFrame::yes && out.seconds == 0 && out.minutes % 10 != 0 && out.frames < 2;
    if (skipped) out.frames = static_cast<int>(kDroppedPerMinute);
    return out;
}

TimeCode readTimeCode(const std::uint8_t* g) {
    return {(g[4] >> 2) & 0x1F, ((g[4] & 0x03) << 4) | (g[5] >> 4), ((g[5] & 0x07) << 3) | (g[6] >> 5),
            ((g[6] & 0x1F) << 1) | (g[7] >> 7)};
}

void writeTimeCode(std::uint8_t* g, TimeCode t, DropFrame drop) {
    constexpr std::uint8_t kMarkerBit = 0x08;
    int flag = drop == DropFrame::yes ? 1 : 0;
    g[4] = static_cast<std::uint8_t>(flag << 7 | t.hours << 2 | t.minutes >> 4);
    g[5] = static_cast<std::uint8_t>((t.minutes & 0x0F) << 4 | kMarkerBit | t.seconds >> 3);
    g[6] = static_cast<std::uint8_t>((t.seconds & 0x07) << 5 | t.frames >> 1);
    g[7] = static_cast<std::uint8_t>((t.frames & 0x01) << 7 | (g[7] & 0x7F));
}

std::string toText(TimeCode t, DropFrame drop) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d%c%02d", t.hours, t.minutes, t.seconds,
                  drop == DropFrame::yes ? ';' : ':', t.frames);
    return text;
}

}  // namespace morvane::pulldown
