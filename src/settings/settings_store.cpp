#include "settings/settings_store.h"

#include <optional>
#include <string>
#include <string_view>

#include "platform/text.h"
#include "settings/registry_access.h"
#include "settings/settings_constants.h"

namespace morvane::settings {

using platform::CheckState;

namespace {

bool keyExists(platform::Registry& registry, const SettingsKey& key) {
    return platform::OpenKey(registry, key.root, key.path, kReadAccessMask | key.view).isOpen();
}

// The first of these that exists holds the options: the per-user key, then
// the copy Windows kept of the earlier program's settings for this user, then
// the machine-wide key this program shares with that one. Version 1.0.1's
// machine-wide key comes last, so that its settings still load. None on a
// first run.
const SettingsKey* keyToRead(platform::Registry& registry) {
    for (const SettingsKey* key : {&kPerUserKey, &kVirtualisedKey, &kMachineKey, &kMachineKey101})
        if (keyExists(registry, *key)) return key;
    return nullptr;
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
bool writeOptions(platform::Registry& registry, const Options& options, const SettingsKey& key) {
    if (createKey(registry, key.root, key.path, key.view) != platform::kErrorSuccess) return false;
    auto save = [&](std::string_view name, const std::string& text) {
        return saveValue(registry, key.root, key.path, name, text, StoredType::RegSz, key.view) ==
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
    const SettingsKey* found = keyToRead(registry);
    // Read all the same on a first run: every value reads as absent.
    const SettingsKey& key = found ? *found : kMachineKey101;
    auto load = [&](std::string_view name) { return loadValue(registry, key.root, key.path, name, key.view); };

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
    options.storedIn = found ? StoredIn::SomePlace : StoredIn::NoPlace;
    return options;
}

void saveOptions(platform::Registry& registry, const Options& options) {
    // Saved where the next load will look first, never over the older copy
    // that load would otherwise still find.
    if (keyExists(registry, kPerUserKey) || keyExists(registry, kVirtualisedKey)) {
        writeOptions(registry, options, kPerUserKey);
        return;
    }
    // A standard user may not write below HKLM and a 64-bit program is not
    // virtualised: keep the options per user rather than lose them.
    if (!writeOptions(registry, options, kMachineKey)) writeOptions(registry, options, kPerUserKey);
}

}  // namespace morvane::settings
