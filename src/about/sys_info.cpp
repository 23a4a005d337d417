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
#include "platform/text.h"

namespace morvane::about {

using namespace platform;

namespace {

// A DWORD as unsigned decimal; bytes missing at the top count as zero.
std::string dwordText(std::span<const std::byte> bytes) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < bytes.size() && i < sizeof value; ++i)
        value |= static_cast<std::uint32_t>(std::to_integer<unsigned>(bytes[i])) << (8 * i);
    return std::to_string(value);
}

// A path may be stored in quotes; the program is the file they enclose.
std::string_view withoutEnclosingQuotes(std::string_view path) {
    if (path.size() >= 2 && path.front() == '"' && path.back() == '"') return path.substr(1, path.size() - 2);
    return path;
}

}  // namespace

bool FrmAbout::GetKeyValue(RegistryKey KeyRoot, std::string_view KeyName, std::string_view SubKeyRef,
                           std::string& KeyVal) {
    RegistryKey key = kNullKey;
    // Closes the key on every way out, the throw included; a key that never
    // opened is closed too, to no effect.
    class Closer {
    public:
        Closer(Registry& registry, RegistryKey& key) : registry_(registry), key_(key) {}
        ~Closer() { registry_.closeKey(key_); }
        Closer(const Closer&) = delete;
        Closer& operator=(const Closer&) = delete;

    private:
        Registry& registry_;
        RegistryKey& key_;
    } closer(platform_.registry, key);

    if (platform_.registry.openKey(KeyRoot, KeyName, kKeyValueAccess, key) != kErrorSuccess) {
        KeyVal.clear();
        return false;
    }

    std::array<std::byte, kKeyValueBufferBytes> buffer{};
    auto size = static_cast<std::uint32_t>(buffer.size());
    std::uint32_t type = 0;
    if (platform_.registry.queryValue(key, SubKeyRef, type, buffer, size) != kErrorSuccess) {
        KeyVal.clear();
        return false;
    }
    if (size == 0) throw KeyValueError("registry value of no bytes");

    std::span<const std::byte> filled(buffer.data(), std::min<std::size_t>(size, buffer.size()));
    if (type == kRegSz) {
        std::u16string text = fromLittleEndianBytes(filled);
        // Only the one final NUL goes; any before it stay in the text.
        if (!text.empty() && text.back() == u'\0') text.pop_back();
        KeyVal = utf16ToUtf8(text);
    } else if (type == kRegDword) {
        KeyVal = dwordText(filled);
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
            if (!platform_.files.firstEntryName(joined, kPlainFilesOnly).empty()) {
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
