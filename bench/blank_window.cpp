// The floors of a Win32 start, built like morvane.exe, for the benchmarks to
// measure the program against. Built twice: one plain window and its message
// loop; and, with MORVANE_FLOOR_CONTROLS, the same with what the program
// needs of the common controls v6 (through the program's own manifest): one
// push button with a tool tip, so the figures show what the program costs
// beyond them.
#include <windows.h>

#include <commctrl.h>

namespace {

LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

#ifdef MORVANE_FLOOR_CONTROLS
// Made and fed as the program makes its own.
bool addControls(HWND hwnd, HINSTANCE instance) {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    if (!InitCommonControlsEx(&icc)) return false;
    const HWND button = CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 16, 16,
                                        88, 28, hwnd, reinterpret_cast<HMENU>(1), instance, nullptr);
    const HWND toolTips =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd, nullptr, instance, nullptr);
    if (!button || !toolTips) return false;
    wchar_t text[] = L"A push button";
    TOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = hwnd;
    info.uId = reinterpret_cast<UINT_PTR>(button);
    info.lpszText = text;
    return SendMessageW(toolTips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)) != FALSE;
}
#endif

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int show) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"MorvaneBlankWindow";
    if (!RegisterClassExW(&wc)) return 1;
    const HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"Blank", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                      480, 360, nullptr, nullptr, instance, nullptr);
    if (!hwnd) return 1;
#ifdef MORVANE_FLOOR_CONTROLS
    if (!addControls(hwnd, instance)) return 1;
#endif
    ShowWindow(hwnd, show);
    UpdateWindow(hwnd);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
