// Any type and bytes in any of the six stored values: the registry layer
// decodes a text or a number or nothing by the fixed rules, and the settings
// load ends with valid check states, texts in the boxes and no key left open.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "main_window_harness.h"
#include "platform/text.h"
#include "settings/registry_access.h"
#include "settings/settings_constants.h"

namespace {

using namespace morvane;

void require(bool condition) {
    if (!condition) std::abort();
}

const std::string kPath(settings::kSettingsPath);
const char* const kNames[] = {"txtPullPath", "txtMPath", "txtMvaf", "chkDrop", "chkNoDrop", "optDrop"};

// What the stored bytes must read as.
settings::SettingsValue expectedValue(std::uint32_t type, const std::vector<std::byte>& data) {
    if (type == platform::kRegSz) {
        std::u16string units(data.size() / 2, u'\0');
        for (std::size_t i = 0; i < units.size(); ++i)
            units[i] = static_cast<char16_t>(std::to_integer<unsigned>(data[2 * i]) |
                                             (std::to_integer<unsigned>(data[2 * i + 1]) << 8));
        return platform::utf16ToUtf8(units);
    }
    if (type == platform::kRegDword && data.size() <= 4) {
        std::uint32_t bits = 0;
        for (std::size_t i = 0; i < data.size(); ++i) bits |= std::to_integer<std::uint32_t>(data[i]) << (8 * i);
        return static_cast<std::int32_t>(bits);
    }
    return {};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider provider(bytes, size);
    testing::MainWindowHarness h;
    auto& registry = h.desktop.registry;
    for (const char* name : kNames) {
        if (!provider.ConsumeBool()) continue;
        const std::uint32_t types[] = {platform::kRegSz,       platform::kRegDword,
                                       platform::kRegExpandSz, platform::kRegBinary,
                                       platform::kRegMultiSz,  provider.ConsumeIntegral<std::uint32_t>()};
        const std::uint32_t type = provider.PickValueInArray(types);
        const std::string raw = provider.ConsumeRandomLengthString(200);
        std::vector<std::byte> data(raw.size());
        for (std::size_t i = 0; i < raw.size(); ++i) data[i] = static_cast<std::byte>(raw[i]);
        registry.put(platform::kHkeyLocalMachine, kPath, name, type, data);
        require(settings::loadValue(registry, platform::kHkeyLocalMachine, kPath, name) == expectedValue(type, data));
    }
    require(registry.openHandles() == 0);

    h.start();
    for (const auto box : {main_window::dropFrameCheck, main_window::noOptionsCheck}) {
        const int state = static_cast<int>(h.control(box).checkState());
        require(state >= 0 && state <= 2);
    }
    const auto stored = [&](const char* name) {
        return settings::loadValue(registry, platform::kHkeyLocalMachine, kPath, name).textForm();
    };
    require(h.text(main_window::pulldownPathBox) == stored("txtPullPath"));
    require(h.text(main_window::outputPathBox) == stored("txtMPath"));
    require(h.text(main_window::vafPathBox) == stored("txtMvaf"));
    require(registry.openHandles() == 0);

    // The close writes the five values back as texts, whatever they were.
    h.window().pressCloseBox();
    for (const char* name : {"txtPullPath", "txtMPath", "txtMvaf", "chkDrop", "chkNoDrop"}) {
        const auto* value = registry.find(platform::kHkeyLocalMachine, kPath, name);
        require(value != nullptr && value->type == platform::kRegSz);
    }
    require(registry.openHandles() == 0);
    return 0;
}
