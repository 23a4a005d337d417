#include "about/system_info.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "about/about_constants.h"
#include "about/about_window.h"
#include "platform/registry_data.h"

namespace morvane::about {

using namespace platform;
using Outcome = LookedUpValue::Outcome;

namespace {

// A path may be stored in quotes; the program is the file they enclose.
std::string_view withoutEnclosingQuotes(std::string_view path) {
    if (path.size() >= 2 && path.front() == '"' && path.back() == '"') return path.substr(1, path.size() - 2);
    return path;
}

}  // namespace

LookedUpValue lookUpValue(Registry& registry, RegistryKey root, std::string_view keyPath, std::string_view valueName) {
    const OpenKey key(registry, root, keyPath, kKeyValueAccess);
    if (!key.isOpen()) return {};

    std::array<std::byte, kKeyValueBufferBytes> buffer{};
    auto size = static_cast<std::uint32_t>(buffer.size());
    std::uint32_t type = 0;
    if (registry.queryValue(key.get(), valueName, type, buffer, size) != kErrorSuccess) return {};
    if (size == 0) return {.outcome = Outcome::Failed};

    LookedUpValue found{.outcome = Outcome::Found};
    std::span<const std::byte> filled(buffer.data(), std::min<std::size_t>(size, buffer.size()));
    if (type == kRegSz) {
        found.text = textFromRegistry(filled);
        // Only the one final NUL goes; any before it stay in the text.
        if (!found.text.empty() && found.text.back() == '\0') found.text.pop_back();
    } else if (type == kRegDword) {
        found.text = std::to_string(numberFromRegistry(filled));
    }
    return found;
}

void AboutWindow::startSystemInfo() {
    if (!startViewer())
        platform_.ui.messageBox(owner(), kSystemInfoUnavailable, platform_.identity.title, MessageIcon::None);
}

bool AboutWindow::startViewer() {
    LookedUpValue path = lookUpValue(platform_.registry, kHkeyLocalMachine, kSystemInfoKey, kSystemInfoValue);
    // A "PATH" value is trusted as it stands: its program is not looked for.
    if (path.outcome == Outcome::Missing) {
        const LookedUpValue folder =
            lookUpValue(platform_.registry, kHkeyLocalMachine, kSystemInfoLocationKey, kSystemInfoLocationValue);
        if (folder.outcome != Outcome::Found) return false;
        path.text = folder.text + std::string(kSystemInfoProgram);
        // The viewer must be a plain file.
        if (!platform_.files.hasEntry(path.text, EntryKinds::plainFiles())) return false;
    } else if (path.outcome == Outcome::Failed) {
        return false;
    }
    return platform_.processes.start(withoutEnclosingQuotes(path.text), "", ShowStyle::NormalFocus);
}

}  // namespace morvane::about
