#pragma once

#include <string_view>

namespace morvane::wait_cycle {

// How often the wait looks at the encoder's files.
inline constexpr unsigned kTickIntervalMs = 30000;

inline constexpr double kSecondsPerMinute = 60.0;
inline constexpr double kMillisecondsPerSecond = 1000.0;

// Each tick adds its own length in minutes: 1 / 60 x 30, exactly half a minute.
inline constexpr double kMinutesPerTick = 1.0 / kSecondsPerMinute * (kTickIntervalMs / kMillisecondsPerSecond);
static_assert(kMinutesPerTick == 0.5);

// Free ticks in a row after which the encoder counts as finished.
inline constexpr int kFreeTicksToFinish = 2;

// The start's messages; the first one, shared with Pulldown Now, is workflow::kNoOptionChosen.
inline constexpr std::string_view kInvalidPullPathMessage = "Invalid path for pulldown.exe";
inline constexpr std::string_view kNoOutputFileMessage = "No CCE output file specified";
inline constexpr std::string_view kNothingBusyMessage = "CCE output files are missing or not in use. Is CCE running?";

}  // namespace morvane::wait_cycle
