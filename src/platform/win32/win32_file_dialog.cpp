#include "platform/win32/win32_ui.h"

namespace morvane::platform::win32 {

std::string Win32Ui::openFile(const Window* /*owner*/, const OpenFileRequest& request) { return request.fileName; }

}  // namespace morvane::platform::win32
