#pragma once

#include <string_view>

namespace morvane::main_window {

inline constexpr std::string_view kStartCaption = "Start Waiting";
inline constexpr std::string_view kCancelCaption = "Cancel";
inline constexpr std::string_view kIdleHint = "Make sure CCE is running and...";
inline constexpr std::string_view kWaitingHint = "Waiting for CCE to finish";

// U+00CF, which the busy marks draw in their symbol font.
inline constexpr std::string_view kBusyMark = "\xC3\x8F";

inline constexpr std::string_view kErrorTitle = "Error";

}  // namespace morvane::main_window
