#include "platform/win32/win32_platform.h"
#include "version.h"

namespace morvane::platform::win32 {

ProgramIdentity programIdentity() {
    return {MORVANE_TITLE, MORVANE_VERSION_MAJOR, MORVANE_VERSION_MINOR, MORVANE_VERSION_REVISION};
}

}  // namespace morvane::platform::win32
