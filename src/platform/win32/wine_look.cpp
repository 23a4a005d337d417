#include "platform/win32/wine_look.h"

#include <array>
#include <set>
#include <string>

#include "platform/win32/owned_handles.h"
#include "platform/win32/system_library.h"

namespace morvane::platform::win32 {

namespace {

struct WineFont {
    std::wstring_view face;
    std::array<std::wstring_view, 2> files;
};

// Wine's files for the faces the windows ask for: MS Sans Serif's bitmap sets
// for both resolutions (Wine does not take its TrueType copy for the face),
// and Marlett, which draws the frame's buttons. Webdings is left out: Wine's
// lacks the busy mark, which is drawn without it.
constexpr std::array kWineFonts{WineFont{L"MS Sans Serif", {L"sserife.fon", L"sseriff.fon"}},
                                WineFont{L"Marlett", {L"marlett.ttf"}}};

bool underWine() { return systemFunction<const char*()>(L"ntdll.dll", "wine_get_version") != nullptr; }

// Wine names its data folder to each of its processes as an NT path
// ("\??\Z:\usr\share\wine"); the folder of the Debian package otherwise.
std::wstring wineFontFolder() {
    std::wstring data(MAX_PATH, L'\0');
    const DWORD length = GetEnvironmentVariableW(L"WINEDATADIR", data.data(), MAX_PATH);
    data.resize(length < MAX_PATH ? length : 0);
    if (constexpr std::wstring_view nt = L"\\??\\"; data.starts_with(nt)) data.erase(0, nt.size());
    if (!data.empty()) return data + L"\\fonts\\";
    const auto dosName = systemFunction<WCHAR*(const char*)>(L"kernel32.dll", "wine_get_dos_file_name");
    WCHAR* folder = dosName ? dosName("/usr/share/wine/fonts") : nullptr;
    if (!folder) return {};
    std::wstring found = std::wstring(folder) + L"\\";
    HeapFree(GetProcessHeap(), 0, folder);
    return found;
}

int CALLBACK noteFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

// Asks without making a font, which would fix the face Wine substitutes.
bool faceInstalled(std::wstring_view face) {
    LOGFONTW asked{};
    asked.lfCharSet = DEFAULT_CHARSET;
    face.copy(asked.lfFaceName, LF_FACESIZE - 1);
    bool found = false;
    EnumFontFamiliesExW(ScreenDc().get(), &asked, noteFace, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

}  // namespace

void provideFace(std::wstring_view face) {
    static std::set<std::wstring, std::less<>> asked;
    if (!asked.emplace(face).second) return;
    for (const WineFont& font : kWineFonts) {
        if (font.face != face || !underWine() || faceInstalled(face)) continue;
        const std::wstring folder = wineFontFolder();
        if (folder.empty()) return;
        for (std::wstring_view file : font.files)
            if (!file.empty()) AddFontResourceExW((folder + std::wstring(file)).c_str(), FR_PRIVATE, nullptr);
    }
}

void keepProgramFont(HWND control) {
    if (!underWine()) return;
    // A class list no theme holds: Wine takes an empty one for none given.
    const auto setTheme = systemFunction<HRESULT WINAPI(HWND, LPCWSTR, LPCWSTR)>(L"uxtheme.dll", "SetWindowTheme");
    if (setTheme) setTheme(control, L" ", L" ");
}

}  // namespace morvane::platform::win32
