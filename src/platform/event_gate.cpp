#include "platform/event_gate.h"

namespace morvane::platform {

void EventGate::timer(WindowEvents& to) {
    if (ended_) return;
    if (depth_ > 0) {
        heldTick_ = &to;
        return;
    }
    run([&] { to.onTimer(); });
}

void EventGate::forget(WindowEvents& to) {
    if (heldTick_ == &to) heldTick_ = nullptr;
}

void EventGate::run(const std::function<void()>& handler) {
    if (ended_) return;
    struct Depth {
        int& d;
        explicit Depth(int& depth) : d(depth) { ++d; }
        ~Depth() { --d; }
        Depth(const Depth&) = delete;
        Depth& operator=(const Depth&) = delete;
    };
    {
        Depth inside(depth_);
        handler();
    }
    if (depth_ == 0 && heldTick_ != nullptr && !ended_) {
        WindowEvents* target = heldTick_;
        heldTick_ = nullptr;
        timer(*target);
    }
}

}  // namespace morvane::platform
