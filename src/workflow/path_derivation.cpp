#include "workflow/path_derivation.h"

#include "platform/text.h"
#include "workflow/workflow_constants.h"

namespace morvane::workflow {

namespace {

// The last `count` characters, or the whole text when it is shorter. Only
// ever compared with ASCII, so counting bytes gives the same answer.
std::string_view tail(std::string_view text, std::size_t count) {
    return text.size() <= count ? text : text.substr(text.size() - count);
}

std::string_view withoutTrailingDotsAndBlanks(std::string_view name) {
    const std::size_t last = name.find_last_not_of(". ");
    return last == std::string_view::npos ? std::string_view{} : name.substr(0, last + 1);
}

}  // namespace

OutputPaths deriveOutputPaths(std::string_view outputPath) {
    OutputPaths paths;
    const std::size_t slash = outputPath.rfind('\\');
    const std::string_view folder =
        slash == std::string_view::npos ? std::string_view{} : outputPath.substr(0, slash + 1);
    const std::string_view fileName = slash == std::string_view::npos ? outputPath : outputPath.substr(slash + 1);
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos) return paths;
    paths.outFolder = folder;
    paths.outFileName = fileName;
    paths.vafFileName = std::string(fileName.substr(0, dot + 1)).append(kVafExtensionWithoutDot);
    return paths;
}

bool endsInPulldownName(std::string_view path) {
    return platform::asciiUpper(tail(path, kPulldownName.size())) == kPulldownName;
}

bool namesAProgram(std::string_view path) {
    return platform::asciiUpper(tail(path, kProgramExtension.size())) == kProgramExtension;
}

std::string outputPathForPick(std::string_view picked) {
    const std::string extension = platform::asciiUpper(tail(picked, kVafExtensionUpper.size()));
    if (extension == kVafExtensionUpper || extension == kEclExtensionUpper)
        return std::string(picked.substr(0, picked.size() - kVafExtensionUpper.size())).append(kStreamExtension);
    return std::string(picked);
}

bool sameFileName(std::string_view a, std::string_view b) {
    return platform::asciiUpper(withoutTrailingDotsAndBlanks(a)) ==
           platform::asciiUpper(withoutTrailingDotsAndBlanks(b));
}

}  // namespace morvane::workflow
