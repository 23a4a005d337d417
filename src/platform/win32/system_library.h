#pragma once

#include <windows.h>

// The browse dialogs and the About window's links need the common dialogs, the
// shell and COM; most runs use none of them, and every library a program
// imports is loaded, with all it imports in turn, at each start. So these are
// loaded from the system folder on first use and kept for the rest of the run,
// as are the functions that older systems lack (newer_windows.h).
namespace morvane::platform::win32 {

// The system library, from the system folder; null when it cannot be had.
[[nodiscard]] HMODULE systemLibrary(const wchar_t* library);

// The named function of a system library, or null when it cannot be had.
template <typename Function>
Function* systemFunction(const wchar_t* library, const char* name) {
    const HMODULE module = systemLibrary(library);
    if (!module) return nullptr;
    // Through void*: the entry points are typed FARPROC, not their own type.
    return reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace morvane::platform::win32
