#pragma once

#include "platform/layout.h"

namespace morvane::form1 {

using platform::ControlId;

// Controls and menu items of the main window.
inline constexpr ControlId Label1{101};
inline constexpr ControlId txtPullPath{102};
inline constexpr ControlId cmdPullPath{103};
inline constexpr ControlId Label3{104};
inline constexpr ControlId txtMPath{105};
inline constexpr ControlId lblM{106};
inline constexpr ControlId Command1{107};
inline constexpr ControlId Label4{108};
inline constexpr ControlId txtMvaf{109};
inline constexpr ControlId lblV{110};
inline constexpr ControlId Frame3{111};
inline constexpr ControlId chkDrop{112};
inline constexpr ControlId chkNoDrop{113};
inline constexpr ControlId Frame2{114};
inline constexpr ControlId Label5{115};
inline constexpr ControlId Label2{116};
inline constexpr ControlId cmdGo{117};

inline constexpr ControlId mnuFile{201};
inline constexpr ControlId mnuPullNow{202};
inline constexpr ControlId mnuExit{203};
inline constexpr ControlId mnuHelp{204};
inline constexpr ControlId mnuAbout{205};

[[nodiscard]] const platform::WindowSpec& layout();

}  // namespace morvane::form1
