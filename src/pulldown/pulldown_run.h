#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "pulldown/pulldown_engine.h"
#include "pulldown/stream_files.h"

namespace morvane::pulldown {

enum class ExitStatus : int { done = 0, failed = 1, usage = 2 };

struct RunRequest {
    std::string input;
    std::string output;
    Options options;
};

// Where the program speaks: standard error.
class Console {
public:
    virtual ~Console() = default;
    virtual void line(const std::string& text) = 0;
    // Only asked for when interactive(): a percentage that replaces the last.
    virtual void progress(int percent) = 0;
    [[nodiscard]] virtual bool interactive() const = 0;
};

// One run: the input turned into the output, or a line saying why not.
// The input goes through memory in pieces of the files' own size unless
// `pieceBytes` says.
ExitStatus runPulldown(StreamFiles& files, const RunRequest& request, Console& console,
                       std::optional<std::size_t> pieceBytes = std::nullopt);

}  // namespace morvane::pulldown
