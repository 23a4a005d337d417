#include "platform/win32/win32_window_paint.h"

#include <algorithm>
#include <string>

#include "platform/units.h"
#include "platform/win32/owned_handles.h"
#include "platform/win32/resource_ids.h"

namespace morvane::platform::win32 {

namespace {

// Share of the busy-mark label's narrower side that the drawn dot fills.
constexpr double kBusyDotShare = 0.6;

COLORREF toColorRef(Rgb c) { return RGB(c.red, c.green, c.blue); }

// The face of the font selected into the DC, which may not be the one asked for.
std::wstring selectedFace(HDC dc) {
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, face);
    return face;
}

bool hasGlyph(HDC dc, wchar_t ch) {
    WORD index = 0;
    return GetGlyphIndicesW(dc, &ch, 1, &index, GGI_MARK_NONEXISTING_GLYPHS) == 1 && index != 0xFFFF;
}

}  // namespace

void paintLines(HDC dc, std::span<const LineSpec> lines, int dpi) {
    for (const LineSpec& line : lines) {
        const int x1 = toPixels(line.x1, dpi);
        const int y1 = toPixels(line.y1, dpi);
        const int x2 = toPixels(line.x2, dpi);
        const int y2 = toPixels(line.y2, dpi);
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

void drawProgramIcon(const DRAWITEMSTRUCT& item, HINSTANCE instance) {
    const RECT r = item.rcItem;
    FillRect(item.hDC, &r, GetSysColorBrush(COLOR_BTNFACE));
    const UniqueIcon icon(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kIdiMainIcon), IMAGE_ICON,
                                                        r.right - r.left, r.bottom - r.top, LR_DEFAULTCOLOR)));
    if (icon)
        DrawIconEx(item.hDC, r.left, r.top, icon.get(), r.right - r.left, r.bottom - r.top, 0, nullptr, DI_NORMAL);
}

void drawBusyMark(const DRAWITEMSTRUCT& item, std::wstring_view mark) {
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    if (mark.empty()) return;
    const auto font = reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0));
    SelectedObject selectedFont(dc, font);
    // Where the prefix lacks the symbol font, another face stands in and its
    // glyph at the mark's code is a letter: decide on the face really given.
    LOGFONTW asked{};
    GetObjectW(font, sizeof asked, &asked);
    const bool symbolFace = _wcsicmp(selectedFace(dc).c_str(), asked.lfFaceName) == 0;
    // Symbol fonts are addressed through the private-use page on Windows.
    const wchar_t privateUse = static_cast<wchar_t>(0xF000 | (mark[0] & 0xFF));
    if (mark.size() == 1 && symbolFace && (hasGlyph(dc, mark[0]) || hasGlyph(dc, privateUse))) {
        const wchar_t drawn = hasGlyph(dc, mark[0]) ? mark[0] : privateUse;
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        DrawTextW(dc, &drawn, 1, &r, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
        return;
    }
    // The font given lacks the mark: draw a solid dot in its place.
    const int side = std::min(r.right - r.left, r.bottom - r.top);
    const int diameter = std::max(3, static_cast<int>(side * kBusyDotShare));
    const int x = r.left + (r.right - r.left - diameter) / 2;
    const int y = r.top + (r.bottom - r.top - diameter) / 2;
    UniqueBrush brush(CreateSolidBrush(GetSysColor(COLOR_WINDOWTEXT)));
    SelectedObject selectedBrush(dc, brush.get());
    SelectedObject selectedPen(dc, GetStockObject(NULL_PEN));
    Ellipse(dc, x, y, x + diameter + 1, y + diameter + 1);
}

HBRUSH colourControl(HDC dc, std::optional<Rgb> textColour) {
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    SetTextColor(dc, textColour ? toColorRef(*textColour) : GetSysColor(COLOR_WINDOWTEXT));
    return GetSysColorBrush(COLOR_BTNFACE);
}

}  // namespace morvane::platform::win32
