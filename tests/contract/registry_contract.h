#pragma once

// One set of registry cases, run against the in-memory double natively and
// against the real registry under Wine, so that the double cannot drift.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "settings/settings_value.h"

namespace morvane::settings {
// Readable failures: which state, and what it holds.
inline void PrintTo(const SettingsValue& value, std::ostream* os) {
    if (value.isEmpty())
        *os << "<empty>";
    else if (value.isNumber())
        *os << "number " << value.textForm();
    else
        *os << "text \"" << value.textForm() << "\" (" << value.textForm().size() << " bytes)";
}
}  // namespace morvane::settings

namespace morvane::testing {

// A registry and a key path below one of its roots that no case has touched yet.
struct ScratchRegistry {
    std::unique_ptr<platform::Registry> registry;
    platform::RegistryKey root = platform::kNullKey;
    std::string path;
    std::function<void()> removeScratch;  // deletes whatever the case left below `path`
};

struct RegistryContractParam {
    std::string name;
    std::function<ScratchRegistry()> make;
};

inline void PrintTo(const RegistryContractParam& param, std::ostream* os) { *os << param.name; }

// Passes every call through and keeps account of the handles, so a case can
// prove that nothing stays open and see which rights each open asked for.
class CountingRegistry final : public platform::Registry {
public:
    explicit CountingRegistry(platform::Registry& inner) : inner_(inner) {}

    platform::RegistryStatus openKey(platform::RegistryKey root, std::string_view path, std::uint32_t access,
                                     platform::RegistryKey& key) override;
    platform::RegistryStatus createKey(platform::RegistryKey root, std::string_view path, std::uint32_t access,
                                       platform::RegistryKey& key) override;
    platform::RegistryStatus queryValue(platform::RegistryKey key, std::string_view name, std::uint32_t& type,
                                        std::span<std::byte> data, std::uint32_t& size) override;
    platform::RegistryStatus setValue(platform::RegistryKey key, std::string_view name, std::uint32_t type,
                                      std::span<const std::byte> data) override;
    platform::RegistryStatus closeKey(platform::RegistryKey key) override;

    [[nodiscard]] int openHandles() const { return static_cast<int>(open_.size()); }
    std::vector<std::uint32_t> openMasks;    // of every openKey, in order
    std::vector<std::uint32_t> createMasks;  // of every createKey, in order

private:
    platform::Registry& inner_;
    std::map<platform::RegistryKey, int> open_;
};

struct RawValue {
    std::uint32_t type = 0;
    std::vector<std::byte> data;
    friend bool operator==(const RawValue&, const RawValue&) = default;
};

[[nodiscard]] std::vector<std::byte> utf16le(std::u16string_view text);
[[nodiscard]] std::vector<std::byte> bytes(std::initializer_list<unsigned> values);

class RegistryContract : public ::testing::TestWithParam<RegistryContractParam> {
protected:
    void SetUp() override;
    void TearDown() override;

    // The scratch key, or a key below it.
    [[nodiscard]] std::string at(std::string_view sub = {}) const;
    // Arranging and checking go straight to the platform, past registry_access.
    void putRaw(std::string_view name, std::uint32_t type, std::vector<std::byte> data, std::string_view sub = {});
    [[nodiscard]] std::optional<RawValue> getRaw(std::string_view name, std::string_view sub = {});
    [[nodiscard]] bool keyExists(std::string_view path);

    platform::RegistryKey root() const { return scratch_.root; }
    CountingRegistry& registry() { return *counting_; }

private:
    ScratchRegistry scratch_;
    std::unique_ptr<CountingRegistry> counting_;
};

[[nodiscard]] std::string contractCaseName(const ::testing::TestParamInfo<RegistryContractParam>& info);

}  // namespace morvane::testing
