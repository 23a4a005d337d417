#include "settings/settings_store.h"

namespace morvane::settings {

void loadOptions(platform::Registry& /*registry*/, platform::Window& /*form1*/) {}

void saveOptions(platform::Registry& /*registry*/, platform::Window& /*form1*/) {}

}  // namespace morvane::settings
