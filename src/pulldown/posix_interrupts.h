#pragma once

#include <string>

namespace morvane::pulldown {

// An interrupted run (Ctrl+C, a hang-up, kill) leaves no temporary file.
void installInterruptCleanup();
void removeTemporaryOnInterrupt(const std::string& path);
void forgetTemporaryOnInterrupt();

}  // namespace morvane::pulldown
