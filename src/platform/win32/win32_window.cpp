// A window's life and the messages the system sends it.
#include "platform/win32/win32_window.h"

#include <algorithm>
#include <stdexcept>

#include "platform/win32/wide.h"
#include "platform/win32/win32_handover.h"
#include "platform/win32/win32_ui.h"
#include "platform/win32/win32_window_paint.h"

namespace morvane::platform::win32 {

Win32Window::~Win32Window() {
    if (!window_) return;
    // Gone without events: the program is ending. The owners destroy the windows.
    SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
    forgetWindow();
}

std::string Win32Window::caption() const { return windowText(hwnd()); }

void Win32Window::setCaption(std::string_view caption) { SetWindowTextW(hwnd(), widen(caption).c_str()); }

TwipsSize Win32Window::outerSize() const {
    RECT r{};
    GetWindowRect(hwnd(), &r);
    return {fromPixels(r.right - r.left, dpi_), fromPixels(r.bottom - r.top, dpi_)};
}

void Win32Window::move(Twips left, Twips top) {
    SetWindowPos(hwnd(), nullptr, toPixels(left, dpi_), toPixels(top, dpi_), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Control& Win32Window::control(ControlId id) {
    auto it = controls_.find(id);
    if (it == controls_.end()) throw std::out_of_range("no such control");
    return *it->second;
}

HWND Win32Window::controlHwnd(ControlId id) const {
    auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second->hwnd();
}

Win32Control* Win32Window::controlAt(HWND hwnd) const {
    for (const auto& [id, control] : controls_)
        if (control->hwnd() == hwnd) return control.get();
    return nullptr;
}

void Win32Window::show() {
    if (!window_) return;
    if (!loaded_) {
        loaded_ = true;
        ui_.gate().load(events_);
        if (!window_) return;
        ShowWindow(hwnd(), SW_SHOWNORMAL);
        if (HWND first = GetNextDlgTabItem(hwnd(), nullptr, FALSE)) SetFocus(first);
        ui_.gate().shown(events_);
    } else {
        ShowWindow(hwnd(), SW_SHOW);
        SetForegroundWindow(hwnd());
    }
}

// What DragAcceptFiles does, without loading the shell for it.
void Win32Window::acceptFiles(bool on) {
    const LONG_PTR style = GetWindowLongPtrW(hwnd(), GWL_EXSTYLE);
    SetWindowLongPtrW(hwnd(), GWL_EXSTYLE, on ? style | WS_EX_ACCEPTFILES : style & ~WS_EX_ACCEPTFILES);
    if (!on) return;
    // An elevated program hears nothing from Explorer's drops unless the
    // messages a drop is made of may come up from a program of lower rights.
    constexpr UINT kCopyGlobalData = 0x0049;
    for (const UINT message : {UINT{WM_DROPFILES}, UINT{WM_COPYDATA}, kCopyGlobalData})
        ChangeWindowMessageFilterEx(hwnd(), message, MSGFLT_ALLOW, nullptr);
}

void Win32Window::unload() {
    if (!window_) return;
    ui_.gate().closeRequest(events_);
    if (window_) DestroyWindow(window_.get());
}

void Win32Window::forgetWindow() {
    timer_.detach();
    ui_.gate().forget(events_);
    ui_.windowClosed(this);
}

void Win32Window::onCommand(WORD id, WORD code, HWND from) {
    if (!loaded_) return;
    EventGate& gate = ui_.gate();
    if (from == nullptr) {  // a menu item, or Enter and Esc from the dialog manager
        if (code == 0 && id == IDOK && design_.defaultButton != kNoControl) {
            gate.click(events_, design_.defaultButton);
        } else if (code == 0 && id == IDCANCEL && design_.cancelButton != kNoControl) {
            gate.click(events_, design_.cancelButton);
        } else if (code == 0) {
            gate.click(events_, ControlId{id});
        }
        return;
    }
    Win32Control* control = controlAt(from);
    if (!control) return;
    switch (control->design().kind) {
        case ControlKind::CommandButton:
            if (code == BN_CLICKED) gate.click(events_, control->design().id);
            break;
        case ControlKind::CheckBox:
            // A click ticks or clears the box; greyed is set only by the program.
            if (code == BN_CLICKED) {
                control->setCheckState(control->checkState() == CheckState::Ticked ? CheckState::Clear
                                                                                   : CheckState::Ticked);
            }
            break;
        case ControlKind::Label:
        case ControlKind::PictureBox:
            if (code == STN_CLICKED) gate.click(events_, control->design().id);
            break;
        case ControlKind::TextBox:
            if (code == EN_CHANGE && control->takeTextChange()) gate.textChange(events_, control->design().id);
            break;
        case ControlKind::Frame:
            break;
    }
}

void Win32Window::onDrawItem(const DRAWITEMSTRUCT& item) const {
    const Win32Control* control = controlAt(item.hwndItem);
    if (!control) return;
    if (control->design().kind == ControlKind::PictureBox) {
        drawProgramIcon(item, ui_.instance());
    } else {
        drawBusyMark(item, widen(control->text()));
    }
}

LRESULT CALLBACK Win32Window::windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
    // Nothing may cross back into the system; a failure ends the program.
    Win32Ui& ui = self->ui_;
    try {
        return self->handle(msg, wp, lp);
    } catch (const std::exception& e) {
        ui.handlerFailed(e.what());
    } catch (...) {
        ui.handlerFailed("an error of unknown kind");
    }
    return 0;
}

LRESULT Win32Window::handle(UINT msg, WPARAM wp, LPARAM lp) {
    const HWND hwnd = window_.get();
    switch (msg) {
        case WM_COMMAND:
            onCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp));
            return 0;
        case WM_TIMER:
            if (wp == Win32Timer::kId && loaded_) ui_.gate().timer(events_);
            return 0;
        case WM_CLOSE:
            unload();
            return 0;
        case WM_DROPFILES: {
            const std::vector<std::string> paths = takeDroppedFiles(reinterpret_cast<HDROP>(wp));
            if (loaded_) ui_.gate().filesDropped(events_, paths);
            return 0;
        }
        // The session ends (the default answer to WM_QUERYENDSESSION never
        // refuses), and the process may be ended once this returns: close as
        // the close box does, so that the close request runs first.
        case WM_ENDSESSION:
            if (wp) unload();
            return 0;
        case DM_GETDEFID:
            if (design_.defaultButton != kNoControl) return MAKELRESULT(design_.defaultButton.value, DC_HASDEFID);
            break;
        case WM_ACTIVATE:
            if (LOWORD(wp) == WA_INACTIVE) {
                lastFocus_ = GetFocus();
            } else if (lastFocus_ && IsChild(hwnd, lastFocus_)) {
                SetFocus(lastFocus_);
                return 0;
            }
            break;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            const Win32Control* control = controlAt(reinterpret_cast<HWND>(lp));
            if (!control || control->design().kind == ControlKind::TextBox) break;
            return reinterpret_cast<LRESULT>(colourControl(reinterpret_cast<HDC>(wp), control->design().textColour));
        }
        case WM_DRAWITEM:
            onDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
            return TRUE;
        case WM_SETCURSOR: {
            const Win32Control* control = controlAt(reinterpret_cast<HWND>(wp));
            if (control && control->design().pointer == Pointer::Hand) {
                SetCursor(LoadCursorW(nullptr, IDC_HAND));
                return TRUE;
            }
            break;
        }
        case WM_PRINTCLIENT:
            paintLines(reinterpret_cast<HDC>(wp), design_.lines, dpi_);
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            paintLines(dc, design_.lines, dpi_);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_DPICHANGED: {
            const auto* suggested = reinterpret_cast<const RECT*>(lp);
            layoutAt(HIWORD(wp));
            SetWindowPos(hwnd, nullptr, suggested->left, suggested->top, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        case WM_NCDESTROY: {
            // The system is destroying the window, and has destroyed the tool tips it owns.
            toolTips_.release();
            window_.release();
            forgetWindow();
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            return DefWindowProcW(hwnd, msg, wp, lp);
        }
        default:
            break;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace morvane::platform::win32
