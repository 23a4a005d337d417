#include "main_window/form1.h"

namespace morvane {

void Form1::cmdPullPathClick() {}

void Form1::command1Click() {}

void Form1::txtMPathChange() {}

}  // namespace morvane
