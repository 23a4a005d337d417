// Stands in for the encoder CCE in the end-to-end tests: creates its output
// file and its VAF file and keeps both open for writing, sharing reads only,
// until told to let go.
//   encoder_standin <output> <vaf> <ready event> <let-go event>
// Sets the ready event once both files are open; closes them when the let-go
// event is set (or after two minutes, so that nothing is left behind).
#include <windows.h>

#include <string_view>

namespace {

constexpr DWORD kLongestHoldMs = 120000;
constexpr std::string_view kFirstBytes = "encoding...";
constexpr std::string_view kLastBytes = "done";

HANDLE createHeld(const wchar_t* path) {
    const HANDLE file = CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return file;
    DWORD written = 0;
    WriteFile(file, kFirstBytes.data(), static_cast<DWORD>(kFirstBytes.size()), &written, nullptr);
    return file;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 5) return 4;
    const HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[3]);
    const HANDLE letGo = OpenEventW(SYNCHRONIZE, FALSE, argv[4]);
    if (!ready || !letGo) return 5;

    const HANDLE output = createHeld(argv[1]);
    const HANDLE vaf = createHeld(argv[2]);
    if (output == INVALID_HANDLE_VALUE || vaf == INVALID_HANDLE_VALUE) return 2;
    SetEvent(ready);

    const DWORD waited = WaitForSingleObject(letGo, kLongestHoldMs);
    for (HANDLE file : {output, vaf}) {
        DWORD written = 0;
        WriteFile(file, kLastBytes.data(), static_cast<DWORD>(kLastBytes.size()), &written, nullptr);
        CloseHandle(file);
    }
    CloseHandle(ready);
    CloseHandle(letGo);
    return waited == WAIT_OBJECT_0 ? 0 : 3;
}
