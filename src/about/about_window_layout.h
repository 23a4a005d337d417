#pragma once

#include "platform/layout.h"

namespace morvane::about {

using platform::ControlId;

// Controls of the About window. Ids 1 and 2 stay free: the dialog manager
// speaks of Enter and Esc with them.
inline constexpr ControlId iconPicture{301};
inline constexpr ControlId titleLabel{302};
inline constexpr ControlId versionLabel{303};
inline constexpr ControlId descriptionLabel{304};
inline constexpr ControlId creditsLabel{305};
inline constexpr ControlId emailLink{306};
inline constexpr ControlId okButton{307};
inline constexpr ControlId systemInfoButton{308};
inline constexpr ControlId downloadLink{309};

[[nodiscard]] const platform::WindowSpec& layout();

}  // namespace morvane::about
