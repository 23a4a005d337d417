#pragma once

// The standard Windows reading of a command line, written out independently
// of the program's own quoting, so that tests can check that a composed line
// hands every path back whole.

#include <string>
#include <string_view>
#include <vector>

namespace morvane::testing {

inline bool isBlank(char c) { return c == ' ' || c == '\t'; }

// CommandLineToArgvW's rules. The program name runs to the next double quote
// when it starts with one, else to the first blank or tab, and is taken as it
// stands. Each argument after it ends at a blank or tab outside quotes; 2n
// backslashes before a quote give n and the quote opens or closes quoting,
// 2n+1 give n and a literal quote; "" inside quotes is a literal quote; other
// backslashes are literal.
inline std::vector<std::string> splitCommandLine(std::string_view line) {
    std::vector<std::string> args;
    std::size_t i = 0;
    if (!line.empty() && line[0] == '"') {
        const std::size_t close = line.find('"', 1);
        args.emplace_back(line.substr(1, close == std::string_view::npos ? close : close - 1));
        i = close == std::string_view::npos ? line.size() : close + 1;
    } else {
        while (i < line.size() && !isBlank(line[i])) ++i;
        args.emplace_back(line.substr(0, i));
    }
    while (true) {
        while (i < line.size() && isBlank(line[i])) ++i;
        if (i >= line.size()) break;
        std::string arg;
        bool quoted = false;
        while (i < line.size() && (quoted || !isBlank(line[i]))) {
            std::size_t backslashes = 0;
            while (i < line.size() && line[i] == '\\') ++backslashes, ++i;
            if (i < line.size() && line[i] == '"') {
                arg.append(backslashes / 2, '\\');
                if (backslashes % 2 == 1) {
                    arg.push_back('"');
                } else if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
                    arg.push_back('"');
                    ++i;
                } else {
                    quoted = !quoted;
                }
                ++i;
            } else {
                arg.append(backslashes, '\\');
                if (i < line.size() && (quoted || !isBlank(line[i]))) arg.push_back(line[i++]);
            }
        }
        args.push_back(std::move(arg));
    }
    return args;
}

}  // namespace morvane::testing
