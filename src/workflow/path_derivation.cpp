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

// The encoder file extension the path ends in, or none.
std::string_view vafOrEclExtension(std::string_view path) {
    for (const std::string_view extension : {kVafExtensionUpper, kEclExtensionUpper})
        if (platform::asciiUpper(tail(path, extension.size())) == extension) return extension;
    return {};
}

}  // namespace

OutputPaths deriveOutputPaths(std::string_view outputPath) {
    OutputPaths paths;
    const std::size_t slash = outputPath.find_last_of(kSeparators);
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

bool namesVafOrEcl(std::string_view path) { return !vafOrEclExtension(path).empty(); }

std::string outputPathForPick(std::string_view picked) {
    const std::string_view extension = vafOrEclExtension(picked);
    if (extension.empty()) return std::string(picked);
    return std::string(picked.substr(0, picked.size() - extension.size())).append(kStreamExtension);
}

std::string absolutePath(std::string_view path, std::string_view currentFolder) {
    const bool drive = path.size() >= 2 && path[1] == ':';
    const bool rooted = !path.empty() && kSeparators.find(path.front()) != std::string_view::npos;
    if (path.empty() || drive || rooted) return std::string(path);
    std::string whole(currentFolder);
    if (!whole.empty() && kSeparators.find(whole.back()) == std::string_view::npos) whole.push_back('\\');
    return whole.append(path);
}

bool sameFileName(std::string_view a, std::string_view b) {
    return platform::asciiUpper(withoutTrailingDotsAndBlanks(a)) ==
           platform::asciiUpper(withoutTrailingDotsAndBlanks(b));
}

}  // namespace morvane::workflow
