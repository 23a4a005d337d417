#include "main_window/form1.h"

namespace morvane {

void Form1::StartPulldown() {}

void Form1::mnuPullNowClick() {}

}  // namespace morvane
