// What one tick's probes cost: exists + isFree on one file, against
// the least the system can do to answer the same question, a bare exclusive
// CreateFileW + CloseHandle. Prints the median of several rounds of each.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/win32/wide.h"
#include "platform/win32/win32_system.h"
#include "workflow/file_probes.h"

namespace {

constexpr int kRounds = 15;
constexpr int kPairsPerRound = 2000;

using Clock = std::chrono::steady_clock;

template <typename F>
double nanosecondsPerPair(F&& pair) {
    const auto start = Clock::now();
    for (int i = 0; i < kPairsPerRound; ++i) pair();
    const std::chrono::duration<double, std::nano> took = Clock::now() - start;
    return took.count() / kPairsPerRound;
}

double median(std::vector<double> values) {
    std::ranges::sort(values);
    return values[values.size() / 2];
}

}  // namespace

int wmain() {
    using namespace morvane;
    std::wstring temp(MAX_PATH + 1, L'\0');
    temp.resize(GetTempPathW(static_cast<DWORD>(temp.size()), temp.data()));
    const std::wstring path = temp + L"morvane-probe-bench-" + std::to_wstring(GetCurrentProcessId()) + L".m2v";
    const HANDLE made = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (made == INVALID_HANDLE_VALUE) return 1;
    CloseHandle(made);
    const std::string utf8 = platform::win32::narrow(path);

    platform::win32::Win32FileSystem files;
    bool answer = true;
    const auto probes = [&] { answer &= workflow::exists(files, utf8) && workflow::isFree(files, utf8); };
    const auto bare = [&] {
        const HANDLE file =
            CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        answer &= file != INVALID_HANDLE_VALUE;
        CloseHandle(file);
    };

    std::vector<double> probeTimes;
    std::vector<double> bareTimes;
    for (int round = 0; round < kRounds; ++round) {  // interleaved, so drift hits both alike
        bareTimes.push_back(nanosecondsPerPair(bare));
        probeTimes.push_back(nanosecondsPerPair(probes));
    }
    DeleteFileW(path.c_str());

    const double probe = median(probeTimes);
    const double base = median(bareTimes);
    std::printf("exists + isFree: %.1f us per pair\n", probe / 1000.0);
    std::printf("CreateFileW + CloseHandle: %.1f us per pair\n", base / 1000.0);
    std::printf("ratio: %.2f\n", probe / base);
    return answer ? 0 : 2;
}
