#include <windows.h>

#include <commdlg.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/win32/dialog_filter.h"
#include "platform/win32/system_library.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_ui.h"

namespace morvane::platform::win32 {

namespace {

// Room for the longest path the system takes, and its NUL.
constexpr std::size_t kFileNameBufferChars = 32768;

}  // namespace

std::string Win32Ui::openFile(const Window* owner, const OpenFileRequest& request) {
    static auto* const getOpenFileName =
        systemFunction<decltype(GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
    static auto* const extendedError =
        systemFunction<decltype(CommDlgExtendedError)>(L"comdlg32.dll", "CommDlgExtendedError");
    // Without the dialog the choice is as if cancelled.
    if (!getOpenFileName || !extendedError) return request.fileName;
    const std::wstring filter = widen(systemDialogFilter(request.filter));
    const std::wstring title = widen(request.title);
    std::wstring initial = widen(request.fileName);
    if (initial.size() >= kFileNameBufferChars) initial.clear();
    std::vector<wchar_t> fileName(kFileNameBufferChars, L'\0');

    const auto show = [&](std::wstring_view startName) {
        std::ranges::fill(fileName, L'\0');
        std::ranges::copy(startName, fileName.begin());
        OPENFILENAMEW dialog{};
        dialog.lStructSize = sizeof(dialog);
        dialog.hwndOwner = ownerHwnd(owner);
        dialog.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
        dialog.nFilterIndex = 1;
        dialog.lpstrFile = fileName.data();
        dialog.nMaxFile = static_cast<DWORD>(fileName.size());
        dialog.lpstrTitle = title.empty() ? nullptr : title.c_str();
        dialog.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER | OFN_PATHMUSTEXIST;
        return getOpenFileName(&dialog) != FALSE;
    };

    ProgramModal modal(*this, ownerHwnd(owner));
    bool chosen = show(initial);
    // A start name the dialog refuses would otherwise keep it from opening at all.
    if (!chosen && !initial.empty() && extendedError() == FNERR_INVALIDFILENAME) chosen = show(L"");
    if (!chosen) return request.fileName;
    return narrow(fileName.data());
}

}  // namespace morvane::platform::win32
