// The Windows tests' entry: GoogleTest's own, with a watchdog. A test that
// runs longer than the limit ends the whole program with a failure, saying
// which test it was, so that one stuck test (a box nobody answers) cannot
// hold a CTest run or the test pack forever. What a test started ends too:
// its Child jobs kill on close, and ending the process closes them.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>

#include "win32_test_support.h"

namespace morvane::testing {
namespace {

constexpr ULONGLONG kTestTimeLimitMs = 3 * 60 * 1000;
// As coreutils' timeout, so that the test pack tells it from a crash's code.
constexpr UINT kTimedOutExitCode = 124;

// MORVANE_TEST_TIME_LIMIT (seconds) shortens the limit, for the pack's own check.
ULONGLONG testTimeLimitMs() {
    wchar_t value[16] = {};
    const DWORD length = GetEnvironmentVariableW(L"MORVANE_TEST_TIME_LIMIT", value, 16);
    const long seconds = length > 0 && length < 16 ? std::wcstol(value, nullptr, 10) : 0;
    return seconds > 0 ? static_cast<ULONGLONG>(seconds) * 1000 : kTestTimeLimitMs;
}

class Watchdog final : public ::testing::EmptyTestEventListener {
public:
    Watchdog() {
        // Never joined: it ends with the process.
        CloseHandle(CreateThread(nullptr, 0, &Watchdog::watch, this, 0, nullptr));
    }
    void OnTestStart(const ::testing::TestInfo& test) override {
        const std::lock_guard lock(mutex_);
        running_ = std::string(test.test_suite_name()) + "." + test.name();
        deadline_ = GetTickCount64() + limitMs_;
    }
    void OnTestEnd(const ::testing::TestInfo&) override {
        const std::lock_guard lock(mutex_);
        deadline_ = 0;
    }

private:
    static DWORD WINAPI watch(void* self) {
        auto& watchdog = *static_cast<Watchdog*>(self);
        for (;;) {
            Sleep(250);
            const std::lock_guard lock(watchdog.mutex_);
            if (watchdog.deadline_ == 0 || GetTickCount64() < watchdog.deadline_) continue;
            std::printf("\n[ TIMEOUT  ] %s ran longer than %llu s: the program ends here.\n",
                        watchdog.running_.c_str(), watchdog.limitMs_ / 1000);
            std::fflush(stdout);
            TerminateProcess(GetCurrentProcess(), kTimedOutExitCode);
        }
    }

    const ULONGLONG limitMs_ = testTimeLimitMs();
    std::mutex mutex_;
    std::string running_;
    ULONGLONG deadline_ = 0;
};

// Run only for the pack's check of the watchdog (with disabled tests asked
// for): it starts morvane.exe, which must not outlive it, and never ends.
TEST(Watchdog, DISABLED_NeverEnds) {
    const StartedMorvane morvane(morvaneExe());
    Sleep(INFINITE);
}

}  // namespace
}  // namespace morvane::testing

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new morvane::testing::Watchdog);
    return RUN_ALL_TESTS();
}
