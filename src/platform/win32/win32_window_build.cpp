// A window built from its design: its frame, menu, controls and tool tips,
// laid out at a resolution.
#include "platform/win32/win32_window.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "platform/win32/newer_windows.h"
#include "platform/win32/resource_ids.h"
#include "platform/win32/wide.h"
#include "platform/win32/wine_look.h"
#include "platform/win32/win32_ui.h"

namespace morvane::platform::win32 {

namespace {

constexpr UINT_PTR kFrameSubclassId = 1;
constexpr double kPointsPerInch = 72.0;

DWORD windowStyle(WindowFrame frame) {
    return frame == WindowFrame::Sizable ? WS_OVERLAPPEDWINDOW : (WS_POPUP | WS_CAPTION | WS_SYSMENU);
}

DWORD windowExStyle(WindowFrame frame) { return frame == WindowFrame::Sizable ? 0 : WS_EX_DLGMODALFRAME; }

// A frame holds its controls as children; it hands their notifications to its window.
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

void setProgramIcons(HWND hwnd, HINSTANCE instance) {
    const auto icon = [instance](int metricX, int metricY) {
        return LoadImageW(instance, MAKEINTRESOURCEW(kIdiMainIcon), IMAGE_ICON, GetSystemMetrics(metricX),
                          GetSystemMetrics(metricY), LR_SHARED);
    };
    SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon(SM_CXICON, SM_CYICON)));
    SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon(SM_CXSMICON, SM_CYSMICON)));
}

void createMenu(HWND hwnd, std::span<const MenuSpec> menus) {
    if (menus.empty()) return;
    UniqueMenu bar(CreateMenu());
    for (const MenuSpec& top : menus) {
        if (top.parent != kNoControl) continue;
        UniqueMenu popup(CreatePopupMenu());
        for (const MenuSpec& item : menus)
            if (item.parent == top.id)
                AppendMenuW(popup.get(), MF_STRING, static_cast<UINT_PTR>(item.id.value), widen(item.text).c_str());
        if (AppendMenuW(bar.get(), MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(popup.get()),
                        widen(top.text).c_str()))
            popup.release();
    }
    if (SetMenu(hwnd, bar.get())) bar.release();
}

void createControls(HWND hwnd, const WindowSpec& design, HINSTANCE instance, Win32Controls& controls) {
    std::vector<const ControlSpec*> order;
    for (const ControlSpec& c : design.controls) order.push_back(&c);
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
                style |= WS_TABSTOP | (c->id == design.defaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
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
        const auto container = controls.find(c->container);
        const HWND parent = c->container == kNoControl    ? hwnd
                            : container == controls.end() ? nullptr
                                                          : container->second->hwnd();
        const HWND child =
            CreateWindowExW(ex, cls, widen(c->text).c_str(), style, 0, 0, 0, 0, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(c->id.value)), instance, nullptr);
        if (!child) throw std::runtime_error("cannot create a control");
        keepProgramFont(child);
        if (c->kind == ControlKind::Frame) SetWindowSubclass(child, frameProc, kFrameSubclassId, 0);
        if (c->kind == ControlKind::CheckBox) SendMessageW(child, BM_SETCHECK, static_cast<WPARAM>(c->check), 0);
        controls.emplace(c->id, std::make_unique<Win32Control>(*c, child));
    }
    // Once all exist: a label that a neighbour reaches into goes beneath it.
    // Labels take no focus, so the tab order stays as created.
    for (const auto& [id, control] : controls)
        if (control->design().stacking == Stacking::BelowSiblings)
            SetWindowPos(control->hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

HWND createToolTips(HWND hwnd, const WindowSpec& design, const Win32Controls& controls, HINSTANCE instance) {
    const bool any = std::ranges::any_of(design.controls, [](const ControlSpec& c) { return !c.toolTip.empty(); });
    if (!any) return nullptr;
    const HWND tips =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd, nullptr, instance, nullptr);
    for (const auto& [id, control] : controls) {
        if (control->design().toolTip.empty()) continue;
        std::wstring text = widen(control->design().toolTip);
        TOOLINFOW info{};
        info.cbSize = sizeof(info);
        info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        info.hwnd = hwnd;
        info.uId = reinterpret_cast<UINT_PTR>(control->hwnd());
        info.lpszText = text.data();
        SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
    return tips;
}

bool sameFont(const FontSpec& a, const FontSpec& b) {
    return a.face == b.face && a.points == b.points && a.underline == b.underline && a.charset == b.charset;
}

HFONT fontFor(std::vector<std::pair<FontSpec, UniqueFont>>& fonts, const FontSpec& font, int dpi) {
    for (const auto& [design, handle] : fonts)
        if (sameFont(design, font)) return handle.get();
    LOGFONTW lf{};
    lf.lfHeight = -static_cast<LONG>(std::lround(font.points * dpi / kPointsPerInch));
    lf.lfWeight = FW_NORMAL;
    lf.lfUnderline = font.underline ? TRUE : FALSE;
    lf.lfCharSet = font.charset == FontCharset::Symbol ? SYMBOL_CHARSET : DEFAULT_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    std::wstring face = widen(font.face);
    face.copy(lf.lfFaceName, LF_FACESIZE - 1);
    provideFace(face);
    fonts.emplace_back(font, UniqueFont(CreateFontIndirectW(&lf)));
    return fonts.back().second.get();
}

}  // namespace

Win32Window::Win32Window(Win32Ui& ui, const WindowSpec& design, WindowEvents& events)
    : ui_(ui), design_(design), events_(events), timer_(design.timer.value_or(TimerSpec{})) {
    // Wine draws the frame's buttons in Marlett.
    provideFace(L"Marlett");
    const HWND owner = design.frame == WindowFrame::FixedDialog ? ui.hiddenOwner() : nullptr;
    window_ = UniqueWindow(CreateWindowExW(
        windowExStyle(design.frame), Win32Ui::kWindowClass, widen(design.caption).c_str(), windowStyle(design.frame),
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, ui.instance(), nullptr));
    if (!window_) throw std::runtime_error("cannot create a window");
    const HWND hwnd = window_.get();
    if (design.frame == WindowFrame::Sizable) setProgramIcons(hwnd, ui.instance());
    createMenu(hwnd, design.menus);
    createControls(hwnd, design, ui.instance(), controls_);
    toolTips_ = UniqueWindow(createToolTips(hwnd, design, controls_, ui.instance()));
    layoutAt(windowDpi(hwnd));
    timer_.attach(hwnd);
    // Known to the program only once built: should any step above fail, the
    // half-built window is destroyed with no object behind its messages.
    ui_.windowOpened(this);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

// Places every control and sizes the window for one resolution.
void Win32Window::layoutAt(int dpi) {
    dpi_ = dpi;
    fonts_.clear();
    HFONT windowFont = fontFor(fonts_, design_.font, dpi);
    SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(windowFont), FALSE);
    for (const auto& [id, control] : controls_) {
        const ControlSpec& c = control->design();
        const HFONT font = c.font ? fontFor(fonts_, *c.font, dpi) : windowFont;
        SendMessageW(control->hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        SetWindowPos(control->hwnd(), nullptr, toPixels(c.rect.left, dpi), toPixels(c.rect.top, dpi),
                     toPixels(c.rect.width, dpi), toPixels(c.rect.height, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    const RECT r =
        windowRectForClient({0, 0, toPixels(design_.client.width, dpi), toPixels(design_.client.height, dpi)},
                            windowStyle(design_.frame), GetMenu(hwnd()) != nullptr, windowExStyle(design_.frame), dpi);
    SetWindowPos(hwnd(), nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(hwnd(), nullptr, TRUE);
}

}  // namespace morvane::platform::win32
