#include "platform/win32/win32_handover.h"

#include "platform/win32/owned_handles.h"
#include "platform/win32/system_library.h"
#include "platform/win32/wide.h"

namespace morvane::platform::win32 {

namespace {

void finishDrop(HDROP drop) noexcept {
    static auto* const finish = systemFunction<decltype(DragFinish)>(L"shell32.dll", "DragFinish");
    if (finish) finish(drop);
}

// A drop until it is finished, which frees what the shell handed over.
using UniqueDrop = Owned<HDROP, &finishDrop>;

}  // namespace

std::vector<std::string> takeDroppedFiles(HDROP drop) {
    static auto* const queryFile = systemFunction<decltype(DragQueryFileW)>(L"shell32.dll", "DragQueryFileW");
    const UniqueDrop finished(drop);
    std::vector<std::string> paths;
    if (queryFile) {
        const UINT count = queryFile(drop, 0xFFFFFFFF, nullptr, 0);
        for (UINT i = 0; i < count; ++i) {
            // Asked for its length first: a long path arrives whole.
            std::wstring path(queryFile(drop, i, nullptr, 0) + 1, L'\0');
            path.resize(queryFile(drop, i, path.data(), static_cast<UINT>(path.size())));
            paths.push_back(narrow(path));
        }
    }
    return paths;
}

std::vector<std::string> commandLineArguments() {
    const wchar_t* line = GetCommandLineW();
    // Most starts name no file: the shell is loaded only when one does.
    const wchar_t* rest = line;
    if (*rest == L'"') {
        ++rest;
        while (*rest && *rest != L'"') ++rest;
        if (*rest) ++rest;
    } else {
        while (*rest && *rest != L' ' && *rest != L'\t') ++rest;
    }
    while (*rest == L' ' || *rest == L'\t') ++rest;
    if (!*rest) return {};

    static auto* const split = systemFunction<decltype(CommandLineToArgvW)>(L"shell32.dll", "CommandLineToArgvW");
    if (!split) return {};
    int count = 0;
    const UniqueLocalMemory words(split(line, &count));
    if (!words) return {};
    const auto* argv = static_cast<wchar_t* const*>(words.get());
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i) arguments.push_back(narrow(argv[i]));
    return arguments;
}

}  // namespace morvane::platform::win32
