#pragma once

#include <string>
#include <string_view>

namespace morvane::platform {

// An edit control reports a change even when its text was set to what it
// already held. The window's WindowEvents hear only of a real change, from the
// real text box and the in-memory one alike.
class TextChangeFilter {
public:
    explicit TextChangeFilter(std::string_view initial) : reported_(initial) {}

    // True only when the text differs from the last one reported.
    [[nodiscard]] bool changed(std::string_view now) {
        if (now == reported_) return false;
        reported_ = now;
        return true;
    }

private:
    std::string reported_;
};

}  // namespace morvane::platform
