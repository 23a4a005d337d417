#pragma once

// Shared by the resource script and the code that loads the resources.
#define MORVANE_IDI_MAIN_ICON 1

#ifdef __cplusplus
namespace morvane::platform::win32 {
inline constexpr int kIdiMainIcon = MORVANE_IDI_MAIN_ICON;
}
#endif
