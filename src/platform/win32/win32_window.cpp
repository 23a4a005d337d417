// A window's life and the messages the system sends it.
#include "platform/win32/win32_window.h"

#include <algorithm>
#include <optional>
#include <stdexcept>

#include "platform/win32/wide.h"
#include "platform/win32/win32_handover.h"
#include "platform/win32/win32_ui.h"
#include "platform/win32/win32_window_paint.h"

namespace morvane::platform::win32 {

Win32Window::~Win32Window() {
    // Gone without events, the program ending: none may reach the program
    // from the messages its destruction sends.
    loaded_ = false;
    destroy();
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
    destroy();
}

// Closed, or dropped with its object: the system destroys the window and the
// tool tips it owns, and onDestroyed lets go of both, as it does when the
// window goes with its owner.
void Win32Window::destroy() noexcept {
    if (window_) DestroyWindow(window_.get());
}

void Win32Window::onDestroyed() noexcept {
    const HWND hwnd = window_.release();
    toolTips_.release();
    timer_.detach();
    ui_.gate().forget(events_);
    ui_.windowClosed(this);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
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

void Win32Window::onTimer(UINT_PTR id) {
    if (id == Win32Timer::kId && loaded_) ui_.gate().timer(events_);
}

// The session ends (the default answer to WM_QUERYENDSESSION never refuses),
// and the process may be ended once this returns: close as the close box
// does, so that the close request runs first.
void Win32Window::onEndSession(bool ending) {
    if (ending) unload();
}

void Win32Window::onDropFiles(HDROP drop) {
    const std::vector<std::string> paths = takeDroppedFiles(drop);
    if (loaded_) ui_.gate().filesDropped(events_, paths);
}

std::optional<LRESULT> Win32Window::onGetDefaultId() const {
    if (design_.defaultButton == kNoControl) return std::nullopt;
    return MAKELRESULT(design_.defaultButton.value, DC_HASDEFID);
}

// Focus comes back to the control that had it when the window was left.
std::optional<LRESULT> Win32Window::onActivate(WORD state) {
    if (state == WA_INACTIVE) {
        lastFocus_ = GetFocus();
    } else if (lastFocus_ && IsChild(hwnd(), lastFocus_)) {
        SetFocus(lastFocus_);
        return 0;
    }
    return std::nullopt;
}

std::optional<LRESULT> Win32Window::onControlColour(HDC dc, HWND from) const {
    const Win32Control* control = controlAt(from);
    if (!control || control->design().kind == ControlKind::TextBox) return std::nullopt;
    return reinterpret_cast<LRESULT>(colourControl(dc, control->design().textColour));
}

std::optional<LRESULT> Win32Window::onSetCursor(HWND over) const {
    const Win32Control* control = controlAt(over);
    if (!control || control->design().pointer != Pointer::Hand) return std::nullopt;
    SetCursor(LoadCursorW(nullptr, IDC_HAND));
    return TRUE;
}

void Win32Window::onPaint() const {
    const PaintDc dc(hwnd());
    paintLines(dc.get(), design_.lines, dpi_);
}

void Win32Window::onDpiChanged(int dpi, const RECT& suggested) {
    layoutAt(dpi);
    SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
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
    std::optional<LRESULT> answer;
    switch (msg) {
        case WM_COMMAND:
            onCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp));
            return 0;
        case WM_TIMER:
            onTimer(wp);
            return 0;
        case WM_CLOSE:
            unload();
            return 0;
        case WM_DROPFILES:
            onDropFiles(reinterpret_cast<HDROP>(wp));
            return 0;
        case WM_ENDSESSION:
            onEndSession(wp != FALSE);
            return 0;
        case DM_GETDEFID:
            answer = onGetDefaultId();
            break;
        case WM_ACTIVATE:
            answer = onActivate(LOWORD(wp));
            break;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            answer = onControlColour(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp));
            break;
        case WM_DRAWITEM:
            onDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
            return TRUE;
        case WM_SETCURSOR:
            answer = onSetCursor(reinterpret_cast<HWND>(wp));
            break;
        case WM_PRINTCLIENT:
            paintLines(reinterpret_cast<HDC>(wp), design_.lines, dpi_);
            return 0;
        case WM_PAINT:
            onPaint();
            return 0;
        case WM_DPICHANGED:
            onDpiChanged(HIWORD(wp), *reinterpret_cast<const RECT*>(lp));
            return 0;
        case WM_NCDESTROY:
            onDestroyed();
            break;
        default:
            break;
    }
    return answer ? *answer : DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace morvane::platform::win32
