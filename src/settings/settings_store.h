#pragma once

#include "platform/registry.h"
#include "platform/window.h"

namespace morvane::settings {

// Restores the two option boxes and the three paths of the main window.
void loadOptions(platform::Registry& registry, platform::Window& form1);

// Writes them back; runs on every close request of the main window.
void saveOptions(platform::Registry& registry, platform::Window& form1);

}  // namespace morvane::settings
