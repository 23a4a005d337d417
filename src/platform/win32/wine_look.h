#pragma once

#include <windows.h>

#include <string_view>

// Under Wine, the windows keep the look they were designed with in a prefix
// as users have one. Made by wineboot alone, a prefix lacks Wine's own fonts
// (they stay in Wine's data folder, where Wine does not look), so GDI hands out
// a wider face; and its theme draws buttons' captions in the theme's font.
namespace morvane::platform::win32 {

// Under Wine, where the prefix lacks the face and Wine ships it, loads Wine's
// copy for this process alone; on Windows, or where the face exists, nothing.
// Must come before the first font of that face is made: Wine keeps the face it
// first chose for a font's description.
void provideFace(std::wstring_view face);

// Under Wine, the control is drawn without the theme, in the font the
// program gives it; on Windows, nothing.
void keepProgramFont(HWND control);

}  // namespace morvane::platform::win32
