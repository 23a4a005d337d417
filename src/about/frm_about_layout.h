#pragma once

#include "platform/layout.h"

namespace morvane::about {

using platform::ControlId;

// Controls of the About window. Ids 1 and 2 stay free: the dialog manager
// speaks of Enter and Esc with them.
inline constexpr ControlId picIcon{301};
inline constexpr ControlId lblTitle{302};
inline constexpr ControlId lblVersion{303};
inline constexpr ControlId lblDescription{304};
inline constexpr ControlId lblDisclaimer{305};
inline constexpr ControlId lblEmailLink{306};
inline constexpr ControlId cmdOK{307};
inline constexpr ControlId cmdSysInfo{308};
inline constexpr ControlId lblDownloadLink{309};

[[nodiscard]] const platform::WindowSpec& layout();

}  // namespace morvane::about
