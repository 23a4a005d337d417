#include "workflow/handed_files.h"

#include "platform/text.h"
#include "workflow/path_derivation.h"
#include "workflow/workflow_constants.h"

namespace morvane::workflow {

using platform::quoted;

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

std::variant<StartRequest, Refusal> parseArguments(const std::vector<std::string>& arguments) {
    StartRequest request;
    for (const std::string& argument : arguments) {
        if (argument.empty() || (argument.front() != '/' && argument.front() != '-')) {
            request.files.push_back(argument);
        } else if (platform::asciiUpper(argument.substr(1)) == kWaitSwitch) {
            request.wait = true;
        } else {
            return Refusal{std::string(kUnknownSwitchPrefix) + quoted(argument) + std::string(kUsage)};
        }
    }
    return request;
}

}  // namespace morvane::workflow
