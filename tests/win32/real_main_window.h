#pragma once

// The main window on the real desktop in this process, driven through its own
// messages, for the tests against the real system.

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "about/about_window.h"
#include "files_test_support.h"
#include "main_window/main_window.h"
#include "main_window/main_window_layout.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_window.h"
#include "remote_main_window.h"
#include "win32_test_support.h"

namespace morvane::testing {

// The real desktop's Ui, keeping the main window it makes: a test reaches the
// window as the desktop holds it, not through the program's own objects.
struct KeepingUi final : platform::Ui {
    explicit KeepingUi(platform::Ui& desktop) : real(desktop) {}
    std::unique_ptr<platform::Window> createWindow(const platform::WindowSpec& design,
                                                   platform::WindowEvents& events) override {
        auto made = real.createWindow(design, events);
        if (design.name == "MainWindow") mainWindow = dynamic_cast<platform::win32::Win32Window*>(made.get());
        return made;
    }
    platform::TwipsSize screenSize() const override { return real.screenSize(); }
    int screenDpi() const override { return real.screenDpi(); }
    void messageBox(const platform::Window* owner, std::string_view text, std::string_view title,
                    platform::MessageIcon icon) override {
        real.messageBox(owner, text, title, icon);
    }
    std::string openFile(const platform::Window* owner, const platform::OpenFileRequest& request) override {
        return real.openFile(owner, request);
    }
    void keepSystemAwake(bool on) override { real.keepSystemAwake(on); }
    void endProgram() override { real.endProgram(); }

    platform::Ui& real;
    platform::win32::Win32Window* mainWindow = nullptr;
};

// MainWindow as the program's entry builds it, with its settings in the real
// registry or in `settings`. Clicks and ticks arrive as the window's own
// messages; error boxes are answered and what they showed kept.
struct RealMainWindow {
    explicit RealMainWindow(platform::Registry* settings = nullptr)
        : platform{ui, desktop.files, desktop.processes, settings ? *settings : desktop.registry,
                   desktop.platform.identity} {
        pumpPending();
        mainWindow.show();
    }
    platform::win32::Win32Platform desktop{GetModuleHandleW(nullptr)};
    KeepingUi ui{desktop.ui};
    platform::Platform platform;
    about::AboutWindow about{platform};
    main_window::MainWindow mainWindow{platform, about};
    BoxAnswerer errors{L"Error"};

    ~RealMainWindow() { pumpPending(); }
    RealMainWindow(const RealMainWindow&) = delete;
    RealMainWindow& operator=(const RealMainWindow&) = delete;

    platform::win32::Win32Window& window() { return *ui.mainWindow; }
    [[nodiscard]] bool open() { return window().isOpen(); }
    platform::Control& control(platform::ControlId id) { return window().control(id); }
    std::string text(platform::ControlId id) { return control(id).text(); }
    HWND main() { return window().hwnd(); }
    HWND hwnd(platform::ControlId id) { return window().controlHwnd(id); }

    void click(platform::ControlId id) {
        SendMessageW(main(), WM_COMMAND, MAKEWPARAM(id.value, BN_CLICKED), reinterpret_cast<LPARAM>(hwnd(id)));
    }
    void menu(platform::ControlId id) { SendMessageW(main(), WM_COMMAND, MAKEWPARAM(id.value, 0), 0); }
    void tick() {
        if (open()) SendMessageW(main(), WM_TIMER, kTickTimerId, 0);
    }
    void close() {
        if (open()) SendMessageW(main(), WM_CLOSE, 0, 0);
    }
};

}  // namespace morvane::testing
