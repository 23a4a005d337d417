#include <windows.h>

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "contract/registry_contract.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_system.h"
#include "win32_test_support.h"

namespace morvane {
namespace {

using platform::win32::widen;
using testing::RegistryContract;
using testing::RegistryContractParam;
using testing::ScratchRegistry;

std::string randomName() {
    std::random_device random;
    std::uniform_int_distribution<unsigned> digit(0, 15);
    std::string name;
    for (int i = 0; i < 16; ++i) name += "0123456789abcdef"[digit(random)];
    return name;
}

// Called from the case's SetUp: the case body then does not run.
void skipWithoutMachineRights() { GTEST_SKIP() << testing::kNeedsMachineRights; }

// A fresh key below <root>\<base>\<random>, deleted with everything in it
// after the case; <base> goes too once no other run uses it.
RegistryContractParam realRegistry(const char* name, platform::RegistryKey root, HKEY hroot, const char* base) {
    return {name, [=] {
                if (hroot == HKEY_LOCAL_MACHINE && !testing::canWriteMachineKeys()) skipWithoutMachineRights();
                const std::string path = std::string(base) + "\\" + randomName();
                return ScratchRegistry{std::make_unique<platform::win32::Win32Registry>(), root, path, [=] {
                                           RegDeleteTreeW(hroot, widen(path).c_str());
                                           RegDeleteKeyW(hroot, widen(base).c_str());
                                       }};
            }};
}

INSTANTIATE_TEST_SUITE_P(Win32, RegistryContract,
                         ::testing::Values(realRegistry("PerUser", platform::kHkeyCurrentUser, HKEY_CURRENT_USER,
                                                        "Software\\MorvaneTest"),
                                           realRegistry("MachineWide", platform::kHkeyLocalMachine, HKEY_LOCAL_MACHINE,
                                                        "SOFTWARE\\MorvaneTest")),
                         testing::contractCaseName);

}  // namespace
}  // namespace morvane
