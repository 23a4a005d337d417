#include "platform/win32/win32_window.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "platform/win32/newer_windows.h"
#include "platform/win32/resource_ids.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_ui.h"

namespace morvane::platform::win32 {

namespace {

constexpr UINT_PTR kTimerId = 1;
constexpr UINT_PTR kFrameSubclassId = 1;
constexpr double kPointsPerInch = 72.0;
// Share of the busy-mark label's narrower side that the drawn dot fills.
constexpr double kBusyDotShare = 0.6;

COLORREF toColorRef(Rgb c) { return RGB(c.red, c.green, c.blue); }

DWORD windowStyle(WindowFrame frame) {
    return frame == WindowFrame::Sizable ? WS_OVERLAPPEDWINDOW : (WS_POPUP | WS_CAPTION | WS_SYSMENU);
}

DWORD windowExStyle(WindowFrame frame) { return frame == WindowFrame::Sizable ? 0 : WS_EX_DLGMODALFRAME; }

// A frame holds its controls as children; it hands their notifications to the form.
LRESULT CALLBACK frameProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR /*id*/, DWORD_PTR /*data*/) {
    switch (msg) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_DRAWITEM:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return SendMessageW(GetAncestor(hwnd, GA_ROOT), msg, wp, lp);
        default:
            return DefSubclassProc(hwnd, msg, wp, lp);
    }
}

bool sameFont(const FontSpec& a, const FontSpec& b) {
    return a.face == b.face && a.points == b.points && a.underline == b.underline && a.charset == b.charset;
}

bool hasGlyph(HDC dc, wchar_t ch) {
    WORD index = 0;
    return GetGlyphIndicesW(dc, &ch, 1, &index, GGI_MARK_NONEXISTING_GLYPHS) == 1 && index != 0xFFFF;
}

}  // namespace

// --- Win32Control ----------------------------------------------------------

std::string Win32Control::text() const {
    const int length = GetWindowTextLengthW(hwnd_);
    std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(hwnd_, buffer.data(), length + 1);
    buffer.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return narrow(buffer);
}

void Win32Control::setText(std::string_view text) {
    SetWindowTextW(hwnd_, widen(text).c_str());
    if (design_.busyMark) InvalidateRect(hwnd_, nullptr, TRUE);
}

bool Win32Control::takeTextChange() {
    std::string now = text();
    if (now == reported_) return false;
    reported_ = std::move(now);
    return true;
}

bool Win32Control::enabled() const { return IsWindowEnabled(hwnd_) != FALSE; }

void Win32Control::setEnabled(bool enabled) { EnableWindow(hwnd_, enabled ? TRUE : FALSE); }

CheckState Win32Control::checkState() const {
    switch (SendMessageW(hwnd_, BM_GETCHECK, 0, 0)) {
        case BST_CHECKED:
            return CheckState::Ticked;
        case BST_INDETERMINATE:
            return CheckState::Greyed;
        default:
            return CheckState::Clear;
    }
}

void Win32Control::setCheckState(CheckState state) { SendMessageW(hwnd_, BM_SETCHECK, static_cast<WPARAM>(state), 0); }

// --- Win32Timer ------------------------------------------------------------

Win32Timer::Win32Timer(std::optional<TimerSpec> design) {
    if (design) {
        enabled_ = design->enabled;
        interval_ = design->intervalMs;
    }
}

void Win32Timer::attach(HWND hwnd) {
    hwnd_ = hwnd;
    apply();
}

void Win32Timer::setEnabled(bool enabled) {
    enabled_ = enabled;
    apply();
}

void Win32Timer::setIntervalMs(unsigned intervalMs) {
    interval_ = intervalMs;
    apply();
}

void Win32Timer::apply() {
    if (!hwnd_) return;
    if (enabled_ && interval_ > 0) {
        SetTimer(hwnd_, kTimerId, interval_, nullptr);
    } else {
        KillTimer(hwnd_, kTimerId);
    }
}

// --- Win32Window -----------------------------------------------------------

Win32Window::Win32Window(Win32Ui& ui, const WindowSpec& design, WindowEvents& events)
    : ui_(ui), design_(design), events_(events), timer_(design.timer) {
    const HWND owner = design.frame == WindowFrame::FixedDialog ? ui.hiddenOwner() : nullptr;
    hwnd_ = CreateWindowExW(windowExStyle(design.frame), Win32Ui::kFormClass, widen(design.caption).c_str(),
                            windowStyle(design.frame), CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                            owner, nullptr, ui.instance(), this);
    if (!hwnd_) throw std::runtime_error("cannot create a window");
    ui_.windowOpened(this);
    if (design.frame == WindowFrame::Sizable) {
        const HINSTANCE instance = ui.instance();
        const auto icon = [instance](int metricX, int metricY) {
            return LoadImageW(instance, MAKEINTRESOURCEW(kIdiMainIcon), IMAGE_ICON, GetSystemMetrics(metricX),
                              GetSystemMetrics(metricY), LR_SHARED);
        };
        SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon(SM_CXICON, SM_CYICON)));
        SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon(SM_CXSMICON, SM_CYSMICON)));
    }
    createMenu();
    createControls();
    createToolTips();
    layoutAt(windowDpi(hwnd_));
    timer_.attach(hwnd_);
}

Win32Window::~Win32Window() {
    if (hwnd_) {
        // Gone without events: the program is ending.
        const HWND hwnd = hwnd_;
        forgetWindow();
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        DestroyWindow(hwnd);
    }
}

void Win32Window::createMenu() {
    if (design_.menus.empty()) return;
    UniqueMenu bar(CreateMenu());
    for (const MenuSpec& top : design_.menus) {
        if (top.parent != kNoControl) continue;
        UniqueMenu popup(CreatePopupMenu());
        for (const MenuSpec& item : design_.menus)
            if (item.parent == top.id)
                AppendMenuW(popup.get(), MF_STRING, static_cast<UINT_PTR>(item.id.value), widen(item.text).c_str());
        if (AppendMenuW(bar.get(), MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(popup.get()),
                        widen(top.text).c_str()))
            popup.release();
    }
    if (SetMenu(hwnd_, bar.get())) bar.release();
}

void Win32Window::createControls() {
    std::vector<const ControlSpec*> order;
    for (const ControlSpec& c : design_.controls) order.push_back(&c);
    // Creation order is tab order; containers have lower tab indices than what they hold.
    std::ranges::stable_sort(order, {}, &ControlSpec::tabIndex);

    for (const ControlSpec* c : order) {
        const wchar_t* cls = L"STATIC";
        DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
        DWORD ex = 0;
        switch (c->kind) {
            case ControlKind::Label:
                style |= SS_LEFT | SS_NOPREFIX | SS_NOTIFY;
                if (c->busyMark) style |= SS_OWNERDRAW;
                break;
            case ControlKind::TextBox:
                cls = L"EDIT";
                style |= WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
                ex |= WS_EX_CLIENTEDGE;
                break;
            case ControlKind::CommandButton:
                cls = L"BUTTON";
                style |= WS_TABSTOP | (c->id == design_.defaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
                break;
            case ControlKind::Frame:
                cls = L"BUTTON";
                style |= BS_GROUPBOX;
                ex |= WS_EX_CONTROLPARENT;
                break;
            case ControlKind::CheckBox:
                cls = L"BUTTON";
                style |= WS_TABSTOP | BS_3STATE;
                break;
            case ControlKind::PictureBox:
                style |= SS_OWNERDRAW | SS_NOTIFY;
                ex |= WS_EX_CLIENTEDGE;
                break;
        }
        if (!c->enabled) style |= WS_DISABLED;
        const HWND parent = c->container == kNoControl ? hwnd_ : controlHwnd(c->container);
        const HWND child =
            CreateWindowExW(ex, cls, widen(c->text).c_str(), style, 0, 0, 0, 0, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(c->id.value)), ui_.instance(), nullptr);
        if (!child) throw std::runtime_error("cannot create a control");
        if (c->kind == ControlKind::Frame) SetWindowSubclass(child, frameProc, kFrameSubclassId, 0);
        if (c->kind == ControlKind::CheckBox) SendMessageW(child, BM_SETCHECK, static_cast<WPARAM>(c->check), 0);
        controls_.emplace(c->id, std::make_unique<Win32Control>(*c, child));
    }
    // Once all exist: a label that a neighbour reaches into goes beneath it.
    // Labels take no focus, so the tab order stays as created.
    for (const auto& [id, control] : controls_)
        if (control->design().stacking == Stacking::BelowSiblings)
            SetWindowPos(control->hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Win32Window::createToolTips() {
    const bool any = std::ranges::any_of(design_.controls, [](const ControlSpec& c) { return !c.toolTip.empty(); });
    if (!any) return;
    toolTips_ =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr, ui_.instance(), nullptr);
    for (const auto& [id, control] : controls_) {
        if (control->design().toolTip.empty()) continue;
        std::wstring text = widen(control->design().toolTip);
        TOOLINFOW info{};
        info.cbSize = sizeof(info);
        info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        info.hwnd = hwnd_;
        info.uId = reinterpret_cast<UINT_PTR>(control->hwnd());
        info.lpszText = text.data();
        SendMessageW(toolTips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
}

HFONT Win32Window::fontFor(const FontSpec& font) {
    for (const auto& [design, handle] : fonts_)
        if (sameFont(design, font)) return handle.get();
    LOGFONTW lf{};
    lf.lfHeight = -static_cast<LONG>(std::lround(font.points * dpi_ / kPointsPerInch));
    lf.lfWeight = FW_NORMAL;
    lf.lfUnderline = font.underline ? TRUE : FALSE;
    lf.lfCharSet = font.charset == FontCharset::Symbol ? SYMBOL_CHARSET : DEFAULT_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    std::wstring face = widen(font.face);
    face.copy(lf.lfFaceName, LF_FACESIZE - 1);
    fonts_.emplace_back(font, UniqueFont(CreateFontIndirectW(&lf)));
    return fonts_.back().second.get();
}

// Places every control and sizes the window for one resolution.
void Win32Window::layoutAt(int dpi) {
    dpi_ = dpi;
    fonts_.clear();
    HFONT windowFont = fontFor(design_.font);
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(windowFont), FALSE);
    for (const auto& [id, control] : controls_) {
        const ControlSpec& c = control->design();
        const HFONT font = c.font ? fontFor(*c.font) : windowFont;
        SendMessageW(control->hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        SetWindowPos(control->hwnd(), nullptr, toPixels(c.rect.left, dpi), toPixels(c.rect.top, dpi),
                     toPixels(c.rect.width, dpi), toPixels(c.rect.height, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    const RECT r =
        windowRectForClient({0, 0, toPixels(design_.client.width, dpi), toPixels(design_.client.height, dpi)},
                            windowStyle(design_.frame), GetMenu(hwnd_) != nullptr, windowExStyle(design_.frame), dpi);
    SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

std::string Win32Window::caption() const {
    const int length = GetWindowTextLengthW(hwnd_);
    std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
    buffer.resize(static_cast<std::size_t>(std::max(GetWindowTextW(hwnd_, buffer.data(), length + 1), 0)));
    return narrow(buffer);
}

void Win32Window::setCaption(std::string_view caption) { SetWindowTextW(hwnd_, widen(caption).c_str()); }

TwipsSize Win32Window::outerSize() const {
    RECT r{};
    GetWindowRect(hwnd_, &r);
    return {fromPixels(r.right - r.left, dpi_), fromPixels(r.bottom - r.top, dpi_)};
}

void Win32Window::move(Twips left, Twips top) {
    SetWindowPos(hwnd_, nullptr, toPixels(left, dpi_), toPixels(top, dpi_), 0, 0,
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
    if (!hwnd_) return;
    if (!loaded_) {
        loaded_ = true;
        ui_.gate().load(events_);
        if (!hwnd_) return;
        ShowWindow(hwnd_, SW_SHOWNORMAL);
        if (HWND first = GetNextDlgTabItem(hwnd_, nullptr, FALSE)) SetFocus(first);
    } else {
        ShowWindow(hwnd_, SW_SHOW);
        SetForegroundWindow(hwnd_);
    }
}

void Win32Window::unload() {
    if (!hwnd_) return;
    ui_.gate().closeRequest(events_);
    if (hwnd_) DestroyWindow(hwnd_);
}

void Win32Window::forgetWindow() {
    if (!hwnd_) return;
    timer_.detach();
    ui_.gate().forget(events_);
    hwnd_ = nullptr;
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

void Win32Window::paintLines(HDC dc) {
    for (const LineSpec& line : design_.lines) {
        const int x1 = toPixels(line.x1, dpi_);
        const int y1 = toPixels(line.y1, dpi_);
        const int x2 = toPixels(line.x2, dpi_);
        const int y2 = toPixels(line.y2, dpi_);
        // A wide level or upright line grows below or right of its coordinate
        // (a pen would centre it): an etched pair a pixel apart stays apart.
        if (y1 == y2 || x1 == x2) {
            const RECT band = y1 == y2 ? RECT{std::min(x1, x2), y1, std::max(x1, x2), y1 + line.widthPixels}
                                       : RECT{x1, std::min(y1, y2), x1 + line.widthPixels, std::max(y1, y2)};
            UniqueBrush brush(CreateSolidBrush(toColorRef(line.colour)));
            FillRect(dc, &band, brush.get());
            continue;
        }
        UniquePen pen(CreatePen(PS_SOLID, line.widthPixels, toColorRef(line.colour)));
        SelectedObject selected(dc, pen.get());
        MoveToEx(dc, x1, y1, nullptr);
        LineTo(dc, x2, y2);
    }
}

void Win32Window::drawItem(const DRAWITEMSTRUCT& item) {
    const Win32Control* control = controlAt(item.hwndItem);
    if (!control) return;
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));

    if (control->design().kind == ControlKind::PictureBox) {
        const UniqueIcon icon(static_cast<HICON>(LoadImageW(ui_.instance(), MAKEINTRESOURCEW(kIdiMainIcon), IMAGE_ICON,
                                                            r.right - r.left, r.bottom - r.top, LR_DEFAULTCOLOR)));
        if (icon) DrawIconEx(dc, r.left, r.top, icon.get(), r.right - r.left, r.bottom - r.top, 0, nullptr, DI_NORMAL);
        return;
    }

    const std::wstring text = widen(control->text());
    if (text.empty()) return;
    SelectedObject font(dc, reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
    // Symbol fonts are addressed through the private-use page on Windows.
    const wchar_t privateUse = static_cast<wchar_t>(0xF000 | (text[0] & 0xFF));
    if (text.size() == 1 && (hasGlyph(dc, text[0]) || hasGlyph(dc, privateUse))) {
        const wchar_t drawn = hasGlyph(dc, text[0]) ? text[0] : privateUse;
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        DrawTextW(dc, &drawn, 1, &r, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
        return;
    }
    // The font lacks the mark: draw a solid dot in its place.
    const int side = std::min(r.right - r.left, r.bottom - r.top);
    const int diameter = std::max(3, static_cast<int>(side * kBusyDotShare));
    const int x = r.left + (r.right - r.left - diameter) / 2;
    const int y = r.top + (r.bottom - r.top - diameter) / 2;
    UniqueBrush brush(CreateSolidBrush(GetSysColor(COLOR_WINDOWTEXT)));
    SelectedObject selectedBrush(dc, brush.get());
    SelectedObject selectedPen(dc, GetStockObject(NULL_PEN));
    Ellipse(dc, x, y, x + diameter + 1, y + diameter + 1);
}

LRESULT CALLBACK Win32Window::windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lp);
        auto* self = static_cast<Win32Window*>(create->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
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
    const HWND hwnd = hwnd_;
    switch (msg) {
        case WM_COMMAND:
            onCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp));
            return 0;
        case WM_TIMER:
            if (wp == kTimerId && loaded_) ui_.gate().timer(events_);
            return 0;
        case WM_CLOSE:
            unload();
            return 0;
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
            auto dc = reinterpret_cast<HDC>(wp);
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            SetTextColor(dc, control->design().textColour ? toColorRef(*control->design().textColour)
                                                          : GetSysColor(COLOR_WINDOWTEXT));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        case WM_DRAWITEM:
            drawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
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
            paintLines(reinterpret_cast<HDC>(wp));
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            paintLines(dc);
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
            if (toolTips_) DestroyWindow(toolTips_);
            toolTips_ = nullptr;
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
