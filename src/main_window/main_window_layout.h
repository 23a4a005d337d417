#pragma once

#include "platform/layout.h"

namespace morvane::main_window {

using platform::ControlId;

// Controls and menu items of the main window.
inline constexpr ControlId pulldownPathLabel{101};
inline constexpr ControlId pulldownPathBox{102};
inline constexpr ControlId browsePulldownButton{103};
inline constexpr ControlId outputPathLabel{104};
inline constexpr ControlId outputPathBox{105};
inline constexpr ControlId outputBusyMark{106};
inline constexpr ControlId browseOutputButton{107};
inline constexpr ControlId vafPathLabel{108};
inline constexpr ControlId vafPathBox{109};
inline constexpr ControlId vafBusyMark{110};
inline constexpr ControlId runsFrame{111};
inline constexpr ControlId dropFrameCheck{112};
inline constexpr ControlId noOptionsCheck{113};
inline constexpr ControlId minutesWaitedFrame{114};
inline constexpr ControlId minutesWaitedLabel{115};
inline constexpr ControlId statusLabel{116};
inline constexpr ControlId startButton{117};

inline constexpr ControlId fileMenu{201};
inline constexpr ControlId pulldownNowItem{202};
inline constexpr ControlId exitItem{203};
inline constexpr ControlId helpMenu{204};
inline constexpr ControlId aboutItem{205};

[[nodiscard]] const platform::WindowSpec& layout();

}  // namespace morvane::main_window
