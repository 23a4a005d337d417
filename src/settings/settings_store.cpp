#include "settings/settings_store.h"

#include <optional>
#include <string>
#include <string_view>

#include "platform/text.h"
#include "settings/registry_access.h"
#include "settings/settings_constants.h"

namespace morvane::settings {

using platform::CheckState;
using platform::RegistryKey;
using registry_access::StoredType;

namespace {

bool keyExists(platform::Registry& registry, RegistryKey root) {
    return platform::OpenKey(registry, root, kSettingsPath, kReadAccessMask).isOpen();
}

// The per-user key wins once it exists, as it would under Windows' own
// virtualisation; settings an older installation kept machine-wide still load.
RegistryKey rootToRead(platform::Registry& registry) {
    return keyExists(registry, kPerUserRoot) ? kPerUserRoot : kMachineRoot;
}

// Only a whole number 0 to 2 is a check state; anything else another program
// or a damaged store left there counts as absent.
std::optional<CheckState> storedCheckState(const SettingsValue& stored) {
    if (stored.textForm().empty()) return std::nullopt;
    const std::optional<std::int32_t> number = stored.toNumber();
    if (!number || *number < static_cast<int>(CheckState::Clear) || *number > static_cast<int>(CheckState::Greyed))
        return std::nullopt;
    return static_cast<CheckState>(*number);
}

// True is the number -1 however it is stored (a number, or its decimal text),
// or the word "True" that the old runtime wrote for a Boolean.
bool isStoredTrue(const SettingsValue& stored) {
    return stored.toNumber() == kStoredTrue || platform::asciiUpper(withoutBlanks(stored.textForm())) == "TRUE";
}

// createKey, then the five values in their stored order. False as soon as
// anything could not be stored.
bool writeOptions(platform::Registry& registry, const Options& options, RegistryKey root) {
    if (registry_access::createKey(registry, root, kSettingsPath) != platform::kErrorSuccess) return false;
    auto save = [&](std::string_view name, const std::string& text) {
        return registry_access::saveValue(registry, root, kSettingsPath, name, text, StoredType::RegSz) ==
               platform::kErrorSuccess;
    };
    auto saveCheck = [&](std::string_view name, std::optional<CheckState> state) {
        return !state || save(name, std::to_string(static_cast<int>(*state)));
    };
    return save(kPulldownPathValue, options.pulldownPath) && save(kOutputPathValue, options.outputPath) &&
           save(kVafPathValue, options.vafPath) && saveCheck(kDropFrameValue, options.dropFrame) &&
           saveCheck(kNoOptionsValue, options.noOptions);
}

}  // namespace

Options loadOptions(platform::Registry& registry) {
    const RegistryKey root = rootToRead(registry);
    auto load = [&](std::string_view name) { return registry_access::loadValue(registry, root, kSettingsPath, name); };

    Options options;
    options.dropFrame = storedCheckState(load(kDropFrameValue));
    options.noOptions = storedCheckState(load(kNoOptionsValue));
    if (!options.dropFrame && !options.noOptions) {
        const bool both = isStoredTrue(load(kBothRunsValue));
        options.dropFrame = CheckState::Ticked;
        options.noOptions = both ? CheckState::Ticked : CheckState::Clear;
    }
    options.pulldownPath = load(kPulldownPathValue).textForm();
    options.outputPath = load(kOutputPathValue).textForm();
    options.vafPath = load(kVafPathValue).textForm();
    return options;
}

void saveOptions(platform::Registry& registry, const Options& options) {
    if (keyExists(registry, kPerUserRoot)) {
        writeOptions(registry, options, kPerUserRoot);
        return;
    }
    // A standard user may not write below HKLM and a 64-bit program is not
    // virtualised: keep the options per user rather than lose them.
    if (!writeOptions(registry, options, kMachineRoot)) writeOptions(registry, options, kPerUserRoot);
}

}  // namespace morvane::settings
