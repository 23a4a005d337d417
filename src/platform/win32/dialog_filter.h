#pragma once

#include <string>
#include <string_view>

namespace morvane::platform::win32 {

// Turns a filter written "Description|*.a;*.b" (more pairs may follow, each
// after a further bar) into the form the system's file dialogs take: every
// description and pattern list ended by a NUL, and one more NUL at the end.
// A description left without patterns is dropped; an empty filter stays empty.
[[nodiscard]] std::string systemDialogFilter(std::string_view filter);

}  // namespace morvane::platform::win32
