// The system information launcher of the About window.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <span>
#include <string>

#include "about/about_constants.h"
#include "about/frm_about.h"
#include "platform/registry_data.h"

namespace morvane::about {

using namespace platform;

namespace {

// A path may be stored in quotes; the program is the file they enclose.
std::string_view withoutEnclosingQuotes(std::string_view path) {
    if (path.size() >= 2 && path.front() == '"' && path.back() == '"') return path.substr(1, path.size() - 2);
    return path;
}

}  // namespace

bool FrmAbout::GetKeyValue(RegistryKey KeyRoot, std::string_view KeyName, std::string_view SubKeyRef,
                           std::string& KeyVal) {
    const OpenKey key(platform_.registry, KeyRoot, KeyName, kKeyValueAccess);
    if (!key.isOpen()) {
        KeyVal.clear();
        return false;
    }

    std::array<std::byte, kKeyValueBufferBytes> buffer{};
    auto size = static_cast<std::uint32_t>(buffer.size());
    std::uint32_t type = 0;
    if (platform_.registry.queryValue(key.get(), SubKeyRef, type, buffer, size) != kErrorSuccess) {
        KeyVal.clear();
        return false;
    }
    if (size == 0) throw KeyValueError("registry value of no bytes");

    std::span<const std::byte> filled(buffer.data(), std::min<std::size_t>(size, buffer.size()));
    if (type == kRegSz) {
        KeyVal = textFromRegistry(filled);
        // Only the one final NUL goes; any before it stay in the text.
        if (!KeyVal.empty() && KeyVal.back() == '\0') KeyVal.pop_back();
    } else if (type == kRegDword) {
        KeyVal = std::to_string(numberFromRegistry(filled));
    }
    return true;
}

void FrmAbout::StartSysInfo() {
    std::string sysInfoPath;
    bool started = false;
    try {
        bool found = GetKeyValue(kHkeyLocalMachine, kSysInfoKey, kSysInfoValue, sysInfoPath);
        // A "PATH" value is trusted as it stands: its program is not looked for.
        if (!found && GetKeyValue(kHkeyLocalMachine, kSysInfoLocationKey, kSysInfoLocationValue, sysInfoPath)) {
            const std::string joined = sysInfoPath + std::string(kSysInfoProgram);
            // The viewer must be a plain file.
            if (platform_.files.hasEntry(joined, EntryKinds::plainFiles())) {
                sysInfoPath = joined;
                found = true;
            }
        }
        started = found && platform_.processes.start(withoutEnclosingQuotes(sysInfoPath), "", ShowStyle::NormalFocus);
    } catch (const std::exception&) {
        started = false;
    }
    if (!started) platform_.ui.messageBox(owner(), kSysInfoUnavailable, platform_.identity.title, MessageIcon::None);
}

}  // namespace morvane::about
