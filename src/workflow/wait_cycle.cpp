#include "main_window/form1.h"

namespace morvane {

void Form1::cmdGoClick() {}

void Form1::startWaiting() {}

void Form1::cancelWaiting() {}

void Form1::timer1Tick() {}

}  // namespace morvane
