// Any text in the output path box: the derivation splits it into parts that
// give the text back, and the browse rules keep to their few characters.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/text.h"
#include "workflow/path_derivation.h"

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

std::string_view tail(std::string_view text, std::size_t count) {
    return text.size() <= count ? text : text.substr(text.size() - count);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace morvane;
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const workflow::OutputPaths paths = workflow::deriveOutputPaths(text);
    if (paths.outFileName.empty()) {
        require(paths.outFolder.empty() && paths.vafFileName.empty());
        const std::string_view name = tail(text, text.size() - (text.find_last_of("\\/") + 1));
        require(name.find('.') == std::string_view::npos);
    } else {
        require(paths.outFolder + paths.outFileName == text);
        require(paths.outFolder.empty() || paths.outFolder.back() == '\\' || paths.outFolder.back() == '/');
        require(paths.outFileName.find_first_of("\\/") == std::string::npos);
        const std::size_t dot = paths.outFileName.rfind('.');
        require(dot != std::string::npos);
        require(paths.vafFileName == paths.outFileName.substr(0, dot + 1) + "vaf");
    }

    require(workflow::endsInPulldownName(text) == (platform::asciiUpper(tail(text, 12)) == "PULLDOWN.EXE"));

    const std::string picked = workflow::outputPathForPick(text);
    const std::string extension = platform::asciiUpper(tail(text, 4));
    if (extension == ".VAF" || extension == ".ECL")
        require(picked == std::string(text.substr(0, text.size() - 4)) + ".m2v");
    else
        require(picked == text);
    return 0;
}
