// Holds a file open, as the encoder does while it writes, for the probe tests.
//   file_holder <path> <read|write|readwrite> <none|read|write|readwrite> <ready event> <stop event>
// Sets the ready event once the file is open and closes it when the stop
// event is set (or after two minutes, so that nothing is left behind).
#include <windows.h>

#include <string_view>

namespace {

constexpr DWORD kLongestHoldMs = 120000;

DWORD accessOf(std::wstring_view word) {
    if (word == L"read") return GENERIC_READ;
    if (word == L"write") return GENERIC_WRITE;
    if (word == L"readwrite") return GENERIC_READ | GENERIC_WRITE;
    return 0;
}

DWORD sharingOf(std::wstring_view word) {
    if (word == L"read") return FILE_SHARE_READ;
    if (word == L"write") return FILE_SHARE_WRITE;
    if (word == L"readwrite") return FILE_SHARE_READ | FILE_SHARE_WRITE;
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 6) return 4;
    const HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[4]);
    const HANDLE stop = OpenEventW(SYNCHRONIZE, FALSE, argv[5]);
    if (!ready || !stop) return 5;
    const HANDLE file = CreateFileW(argv[1], accessOf(argv[2]), sharingOf(argv[3]), nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 2;
    SetEvent(ready);
    const DWORD waited = WaitForSingleObject(stop, kLongestHoldMs);
    CloseHandle(file);
    CloseHandle(ready);
    CloseHandle(stop);
    return waited == WAIT_OBJECT_0 ? 0 : 3;
}
