#include "workflow/handed_files.h"

#include <algorithm>

#include "platform/text.h"
#include "workflow/path_derivation.h"
#include "workflow/workflow_constants.h"

namespace morvane::workflow {

using platform::quoted;

namespace {

// "/" or "-" followed by letters alone, or by the customary "?". Anything
// else is a file, a path from Linux such as "/home/ana/x.m2v" included.
bool isSwitch(std::string_view argument) {
    if (argument.size() < 2 || (argument.front() != '/' && argument.front() != '-')) return false;
    const std::string_view name = argument.substr(1);
    const auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    return name == "?" || std::ranges::all_of(name, letter);
}

}  // namespace

std::variant<HandedFiles, Refusal> sortHandedFiles(platform::FileSystem& files, const std::vector<std::string>& paths) {
    HandedFiles handed;
    for (const std::string& path : paths) {
        if (files.hasEntry(path, platform::EntryKinds::any()) &&
            !files.hasEntry(path, {.hidden = true, .system = true}))
            return Refusal{quoted(path) + std::string(kIsAFolder)};
        const bool program = namesAProgram(path);
        std::optional<std::string>& box = program ? handed.pulldownPath : handed.outputPath;
        if (box) return Refusal{std::string(program ? kOneProgramOnly : kOneOutputOnly)};
        box = program ? path : outputPathForPick(path);
    }
    return handed;
}

std::variant<StartRequest, Refusal> parseArguments(const std::vector<std::string>& arguments,
                                                   std::string_view currentFolder) {
    StartRequest request;
    for (const std::string& argument : arguments) {
        if (!isSwitch(argument)) {
            request.files.push_back(absolutePath(argument, currentFolder));
        } else if (platform::asciiUpper(argument.substr(1)) == kWaitSwitch) {
            request.wait = true;
        } else {
            return Refusal{std::string(kUnknownSwitchPrefix) + quoted(argument) + std::string(kUsage)};
        }
    }
    return request;
}

}  // namespace morvane::workflow
