#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/event_gate.h"

namespace morvane::platform {
namespace {

struct Recorder final : WindowEvents {
    std::vector<std::string> log;
    std::function<void()> duringClick;
    void onLoad() override { log.push_back("load"); }
    void onCloseRequest() override { log.push_back("close"); }
    void onClick(ControlId id) override {
        log.push_back("click " + std::to_string(id.value) + " begin");
        if (duringClick) duringClick();
        log.push_back("click " + std::to_string(id.value) + " end");
    }
    void onTextChange(ControlId id) override { log.push_back("change " + std::to_string(id.value)); }
    void onTimer() override { log.push_back("tick"); }
    void onShown() override {}
    void onFilesDropped(const std::vector<std::string>& /*paths*/) override {}
};

TEST(EventGateTest, TickDuringAHandlerWaitsUntilItReturns) {
    EventGate gate;
    Recorder events;
    events.duringClick = [&] {
        gate.timer(events);
        gate.timer(events);  // fall-due ticks collapse into one
    };
    gate.click(events, ControlId{7});
    EXPECT_EQ(events.log, (std::vector<std::string>{"click 7 begin", "click 7 end", "tick"}));
}

TEST(EventGateTest, NestedEventsOtherThanTicksRunAtOnce) {
    EventGate gate;
    Recorder events;
    events.duringClick = [&] { gate.textChange(events, ControlId{3}); };
    gate.click(events, ControlId{7});
    EXPECT_EQ(events.log, (std::vector<std::string>{"click 7 begin", "change 3", "click 7 end"}));
}

TEST(EventGateTest, NothingIsDeliveredAfterTheEnd) {
    EventGate gate;
    Recorder events;
    events.duringClick = [&] {
        gate.timer(events);
        gate.endProgram();
    };
    gate.click(events, ControlId{1});
    gate.timer(events);
    gate.load(events);
    EXPECT_EQ(events.log, (std::vector<std::string>{"click 1 begin", "click 1 end"}));
}

TEST(EventGateTest, AHeldTickIsForgottenWithItsWindow) {
    EventGate gate;
    Recorder main;
    Recorder other;
    other.duringClick = [&] {
        gate.timer(main);
        gate.forget(main);
    };
    gate.click(other, ControlId{2});
    EXPECT_TRUE(main.log.empty());
}

}  // namespace
}  // namespace morvane::platform
