#include "pulldown/posix_interrupts.h"

#include <unistd.h>

#include <csignal>
#include <cstring>

namespace morvane::pulldown {
namespace {

char temporaryPath[4096];
volatile std::sig_atomic_t armed = 0;

extern "C" void removeAndEnd(int signal) {
    if (armed) ::unlink(temporaryPath);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

}  // namespace

void installInterruptCleanup() {
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) std::signal(signal, removeAndEnd);
}

void removeTemporaryOnInterrupt(const std::string& path) {
    if (path.size() >= sizeof temporaryPath) return;
    armed = 0;
    std::memcpy(temporaryPath, path.c_str(), path.size() + 1);
    armed = 1;
}

void forgetTemporaryOnInterrupt() { armed = 0; }

}  // namespace morvane::pulldown
