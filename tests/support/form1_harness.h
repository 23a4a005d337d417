#pragma once

#include "about/frm_about.h"
#include "main_window/form1.h"
#include "memory_platform.h"

namespace morvane::testing {

// The program as its entry builds it, on the in-memory desktop.
struct Form1Harness {
    MemoryPlatform desktop;
    about::FrmAbout about{desktop.platform};
    Form1 form{desktop.platform, about};

    void start() { form.show(); }
    MemoryWindow& window() { return dynamic_cast<MemoryWindow&>(form.window()); }
    MemoryControl& control(platform::ControlId id) { return window().memoryControl(id); }
    std::string text(platform::ControlId id) { return control(id).text(); }
};

}  // namespace morvane::testing
