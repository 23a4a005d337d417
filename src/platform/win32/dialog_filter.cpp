#include "platform/win32/dialog_filter.h"

#include <vector>

namespace morvane::platform::win32 {

std::string systemDialogFilter(std::string_view filter) {
    if (filter.empty()) return {};
    std::vector<std::string_view> pieces;
    for (std::size_t start = 0;;) {
        const std::size_t bar = filter.find('|', start);
        pieces.push_back(filter.substr(start, bar == std::string_view::npos ? std::string_view::npos : bar - start));
        if (bar == std::string_view::npos) break;
        start = bar + 1;
    }
    if (pieces.size() % 2 != 0) pieces.pop_back();
    if (pieces.empty()) return {};
    std::string out;
    for (const std::string_view piece : pieces) out.append(piece).push_back('\0');
    out.push_back('\0');
    return out;
}

}  // namespace morvane::platform::win32
