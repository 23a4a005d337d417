#include "settings/settings_store.h"

#include <optional>
#include <string>
#include <string_view>

#include "main_window/form1_layout.h"
#include "platform/text.h"
#include "settings/mdl_registry.h"
#include "settings/settings_constants.h"

namespace morvane::settings {

using mdlRegistry::RegValueType;
using platform::CheckState;
using platform::RegistryKey;

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

std::string checkText(platform::Window& window, platform::ControlId id) {
    return std::to_string(static_cast<int>(window.control(id).checkState()));
}

// CreateKey, then the five values, each taken from its control as it is
// written. False as soon as anything could not be stored.
bool writeOptions(platform::Registry& registry, platform::Window& window, RegistryKey root) {
    if (mdlRegistry::CreateKey(registry, root, kSettingsPath) != platform::kErrorSuccess) return false;
    auto save = [&](std::string_view name, const std::string& text) {
        return mdlRegistry::SaveKeyValue(registry, root, kSettingsPath, name, text, RegValueType::RegSz) ==
               platform::kErrorSuccess;
    };
    return save(kTxtPullPathName, window.control(form1::txtPullPath).text()) &&
           save(kTxtMPathName, window.control(form1::txtMPath).text()) &&
           save(kTxtMvafName, window.control(form1::txtMvaf).text()) &&
           save(kChkDropName, checkText(window, form1::chkDrop)) &&
           save(kChkNoDropName, checkText(window, form1::chkNoDrop));
}

}  // namespace

void loadOptions(platform::Registry& registry, platform::Window& window) {
    const RegistryKey root = rootToRead(registry);
    auto load = [&](std::string_view name) { return mdlRegistry::LoadKeyValue(registry, root, kSettingsPath, name); };
    platform::Control& chkDrop = window.control(form1::chkDrop);
    platform::Control& chkNoDrop = window.control(form1::chkNoDrop);

    bool fallback = true;
    if (const std::optional<CheckState> state = storedCheckState(load(kChkDropName))) {
        chkDrop.setCheckState(*state);
        fallback = false;
    }
    if (const std::optional<CheckState> state = storedCheckState(load(kChkNoDropName))) {
        chkNoDrop.setCheckState(*state);
        fallback = false;
    }
    if (fallback) {
        const bool both = isStoredTrue(load(kOptDropName));
        chkDrop.setCheckState(CheckState::Ticked);
        chkNoDrop.setCheckState(both ? CheckState::Ticked : CheckState::Clear);
    }

    // Setting txtMPath runs its change handling, which derives a VAF path;
    // the stored one, read last, replaces it even when it is empty.
    window.control(form1::txtPullPath).setText(load(kTxtPullPathName).textForm());
    window.control(form1::txtMPath).setText(load(kTxtMPathName).textForm());
    window.control(form1::txtMvaf).setText(load(kTxtMvafName).textForm());
}

void saveOptions(platform::Registry& registry, platform::Window& window) {
    if (keyExists(registry, kPerUserRoot)) {
        writeOptions(registry, window, kPerUserRoot);
        return;
    }
    // A standard user may not write below HKLM and a 64-bit program is not
    // virtualised: keep the options per user rather than lose them.
    if (!writeOptions(registry, window, kMachineRoot)) writeOptions(registry, window, kPerUserRoot);
}

}  // namespace morvane::settings
