#pragma once

#include <windows.h>

#include <vector>

#include "platform/event_gate.h"
#include "platform/ui.h"
#include "platform/win32/owned_handles.h"

namespace morvane::platform::win32 {

class Win32Window;

class Win32Ui final : public Ui {
public:
    explicit Win32Ui(HINSTANCE instance);
    ~Win32Ui() override = default;
    Win32Ui(const Win32Ui&) = delete;
    Win32Ui& operator=(const Win32Ui&) = delete;

    [[nodiscard]] std::unique_ptr<Window> createWindow(const WindowSpec& design, WindowEvents& events) override;
    [[nodiscard]] TwipsSize screenSize() const override;
    [[nodiscard]] int screenDpi() const override;
    void messageBox(const Window* owner, std::string_view text, std::string_view title, MessageIcon icon) override;
    [[nodiscard]] std::string openFile(const Window* owner, const OpenFileRequest& request) override;
    void endProgram() override;
    void keepSystemAwake(bool on) override;

    // Pumps messages until the program ends or its last window is gone.
    int run();

    // A failure escaped a handler, leaving a state nobody planned for: says
    // what failed, closes every window (their close requests save what the
    // user set, as File > Exit does) and ends the program.
    void handlerFailed(std::string_view what) noexcept;

    [[nodiscard]] HINSTANCE instance() const { return instance_; }
    [[nodiscard]] HWND hiddenOwner() const { return hiddenOwner_.get(); }
    [[nodiscard]] EventGate& gate() { return gate_; }
    [[nodiscard]] bool owns(HWND hwnd) const;

    // The class of both windows. Other programs may look for them by it, as
    // the end-to-end tests do, so it keeps its name.
    static constexpr const wchar_t* kWindowClass = L"MorvaneForm";

private:
    friend class Win32Window;
    class ProgramModal;
    void windowOpened(Win32Window* window);
    void windowClosed(Win32Window* window);

    HINSTANCE instance_;
    EventGate gate_;
    std::vector<Win32Window*> open_;
    bool failed_ = false;
    // Last, so gone first: a window it owns may still tell the rest it closes.
    UniqueWindow hiddenOwner_;
};

// While a box or dialog is up, the program's other windows take no input, as
// with the message boxes of old: nothing else can run, or end the program,
// from inside it. The owner is disabled by the box itself.
class Win32Ui::ProgramModal {
public:
    ProgramModal(const Win32Ui& ui, HWND owner);
    ~ProgramModal();
    ProgramModal(const ProgramModal&) = delete;
    ProgramModal& operator=(const ProgramModal&) = delete;

private:
    std::vector<HWND> disabled_;
};

[[nodiscard]] HWND ownerHwnd(const Window* owner);

}  // namespace morvane::platform::win32
