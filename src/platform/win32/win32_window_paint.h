#pragma once

#include <windows.h>

#include <optional>
#include <span>
#include <string_view>

#include "platform/layout.h"

// What a window draws itself rather than leaving to its controls.
namespace morvane::platform::win32 {

// The window's etched lines, at its resolution.
void paintLines(HDC dc, std::span<const LineSpec> lines, int dpi);

// The picture box: the program's icon, filling it.
void drawProgramIcon(const DRAWITEMSTRUCT& item, HINSTANCE instance);

// A label's one-character busy mark in its own font, or a dot where the font lacks it.
void drawBusyMark(const DRAWITEMSTRUCT& item, std::wstring_view mark);

// Colours a label, button, frame or check box before it paints; yields its background brush.
[[nodiscard]] HBRUSH colourControl(HDC dc, std::optional<Rgb> textColour);

}  // namespace morvane::platform::win32
