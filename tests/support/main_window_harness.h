#pragma once

#include <string>
#include <vector>

#include "about/about_window.h"
#include "main_window/main_window.h"
#include "memory_platform.h"

namespace morvane::testing {

// The program as its entry builds it, on the in-memory desktop.
struct MainWindowHarness {
    explicit MainWindowHarness(std::vector<std::string> arguments = {})
        : mainWindow{desktop.platform, about, std::move(arguments)} {}

    MemoryPlatform desktop;
    about::AboutWindow about{desktop.platform};
    main_window::MainWindow mainWindow;
    MemoryWindow* shown = nullptr;  // as the desktop holds it, still there once closed

    void start() {
        mainWindow.show();
        shown = desktop.ui.findWindow("MainWindow");
    }
    MemoryWindow& window() { return *shown; }
    MemoryControl& control(platform::ControlId id) { return window().memoryControl(id); }
    std::string text(platform::ControlId id) { return control(id).text(); }
    // The command lines of the programs started, in order.
    [[nodiscard]] std::vector<std::string> startedLines() const {
        std::vector<std::string> lines;
        for (const auto& s : desktop.processes.started) lines.push_back(s.commandLine);
        return lines;
    }
};

}  // namespace morvane::testing
