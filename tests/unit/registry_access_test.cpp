#include <gtest/gtest.h>

#include <limits>

#include "contract/registry_contract.h"
#include "memory_system.h"
#include "settings/registry_access.h"
#include "settings/settings_constants.h"

namespace morvane {
namespace {

using platform::kHkeyCurrentUser;
using platform::kHkeyLocalMachine;
using settings::SettingsValue;
using settings::StoredType;
using testing::MemoryRegistry;
using testing::RegistryContract;
using testing::RegistryContractParam;
using testing::ScratchRegistry;

RegistryContractParam memoryRegistry(const char* name, platform::RegistryKey root) {
    return {name, [root] {
                return ScratchRegistry{std::make_unique<MemoryRegistry>(), root, "Software\\MorvaneTest\\contract", {}};
            }};
}

INSTANTIATE_TEST_SUITE_P(Memory, RegistryContract,
                         ::testing::Values(memoryRegistry("MachineWide", kHkeyLocalMachine),
                                           memoryRegistry("PerUser", kHkeyCurrentUser)),
                         testing::contractCaseName);

TEST(SettingsValueTest, TextFormOfEachState) {
    EXPECT_EQ(SettingsValue().textForm(), "");
    EXPECT_EQ(SettingsValue("").textForm(), "");
    EXPECT_EQ(SettingsValue(" a b ").textForm(), " a b ");
    EXPECT_EQ(SettingsValue(0).textForm(), "0");
    EXPECT_EQ(SettingsValue(-1).textForm(), "-1");
    EXPECT_EQ(SettingsValue(std::numeric_limits<std::int32_t>::min()).textForm(), "-2147483648");
    EXPECT_TRUE(SettingsValue().isEmpty());
    EXPECT_TRUE(SettingsValue("").isText());
    EXPECT_NE(SettingsValue(""), SettingsValue());
    EXPECT_NE(SettingsValue("1"), SettingsValue(1));
}

TEST(SettingsValueTest, NumberFormOfTexts) {
    const struct {
        const char* text;
        std::optional<std::int32_t> number;
    } cases[] = {
        {"0", 0},
        {"2", 2},
        {"-1", -1},
        {"+7", 7},
        {" 1 ", 1},
        {"007", 7},
        {"2147483647", 2147483647},
        {"-2147483648", std::numeric_limits<std::int32_t>::min()},
        {"2147483648", std::nullopt},
        {"99999999999999999999999", std::nullopt},
        {"", std::nullopt},
        {" ", std::nullopt},
        {"abc", std::nullopt},
        {"1.5", std::nullopt},
        {"1abc", std::nullopt},
        {"--1", std::nullopt},
        {"+-1", std::nullopt},
        {"-", std::nullopt},
        {"0x10", std::nullopt},
        {"x1", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(SettingsValue(c.text).toNumber(), c.number) << '"' << c.text << '"';
    EXPECT_EQ(SettingsValue().toNumber(), 0);
    EXPECT_EQ(SettingsValue(-5).toNumber(), -5);
}

TEST(RegistryAccessTest, WritingATextWithNoNumberFormAsANumberStoresNothing) {
    MemoryRegistry registry;
    registry.putText(kHkeyLocalMachine, "K", "other", "x");
    settings::saveValue(registry, kHkeyLocalMachine, "K", "v", "abc", StoredType::RegDword);
    EXPECT_EQ(registry.find(kHkeyLocalMachine, "K", "v"), nullptr);
    EXPECT_EQ(registry.openHandles(), 0);
}

// A standard user below HKLM: reading allowed, writing refused.
TEST(RegistryAccessTest, AKeyThatRefusesWritesStillLoads) {
    MemoryRegistry registry;
    registry.putText(kHkeyLocalMachine, "SOFTWARE\\Kestrine\\Morvane", "txtMPath", "D:\\out.m2v");
    registry.denyAccess(kHkeyLocalMachine, 0x0002 | 0x0004 | 0x0020);

    EXPECT_EQ(settings::loadValue(registry, kHkeyLocalMachine, "SOFTWARE\\Kestrine\\Morvane", "txtMPath"),
              SettingsValue("D:\\out.m2v"));
    EXPECT_EQ(settings::createKey(registry, kHkeyLocalMachine, "SOFTWARE\\Kestrine\\Morvane"),
              platform::kErrorAccessDenied);
    EXPECT_EQ(settings::saveValue(registry, kHkeyLocalMachine, "SOFTWARE\\Kestrine\\Morvane", "txtMPath", "E:\\new.m2v",
                                  StoredType::RegSz),
              platform::kErrorAccessDenied);
    EXPECT_EQ(settings::loadValue(registry, kHkeyLocalMachine, "SOFTWARE\\Kestrine\\Morvane", "txtMPath"),
              SettingsValue("D:\\out.m2v"));
    EXPECT_EQ(registry.openHandles(), 0);
}

}  // namespace
}  // namespace morvane
