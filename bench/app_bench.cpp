// What morvane.exe costs as a process, each figure against two floors built
// the same way and measured in turns with it in the same run: a blank Win32
// window, and one with the program's common controls v6, a button and a tool
// tip, which shows what the program costs beyond the controls it needs.
//   start   process start until the main window is shown and the program idle
//   memory  private bytes once idle
//   tick    CPU time per armed tick of tickTimer, and wake-ups while idle
// The tick is driven by sending the window the timer's own message (WM_TIMER,
// id 1), the floors getting the same messages; the real timer's 30
// seconds would make a run take minutes. Wake-ups are the context switches of
// the process (read from Linux's /proc under Wine) over an idle second.
//   morvane_app_bench <morvane.exe> <blank_window.exe> <controls_window.exe>
//                     <encoder stand-in.exe>
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "../tests/win32/files_test_support.h"
#include "../tests/win32/remote_main_window.h"
#include "main_window/main_window_layout.h"

namespace {

constexpr int kStartRounds = 9;
constexpr int kTickRounds = 7;
constexpr int kTicksPerRound = 1000;
constexpr DWORD kIdleMs = 1000;
constexpr DWORD kTimeoutMs = 30000;

using Clock = std::chrono::steady_clock;
using morvane::testing::quoted;
using morvane::testing::readFile;
using morvane::testing::windowsPath;

double median(std::vector<double> values) {
    std::ranges::sort(values);
    return values[values.size() / 2];
}

double cpuMs(HANDLE process) {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return 0;
    const auto ticks = [](FILETIME t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;
}

// Private (committed) bytes. Wine leaves PrivateUsage 0 and reports the same
// quantity as PagefileUsage, which Windows also keeps equal to it.
double privateMiB(HANDLE process) {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof(counters);
    if (!GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof(counters)))
        return 0;
    const SIZE_T bytes = counters.PrivateUsage != 0 ? counters.PrivateUsage : counters.PagefileUsage;
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

// --- Wake-ups, from Linux's view of the process under Wine ----------------

std::string lower(std::string text) {
    for (char& c : text) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return text;
}

// The Linux processes of this Wine prefix whose command line names the program.
std::set<std::wstring> unixProcesses(const std::string& exeName) {
    std::set<std::wstring> found;
    char prefix[1024] = {};
    if (GetEnvironmentVariableA("WINEPREFIX", prefix, sizeof(prefix)) == 0) return found;
    const std::string ours = std::string("WINEPREFIX=") + prefix + '\0';
    WIN32_FIND_DATAW entry;
    const HANDLE find = FindFirstFileW(L"Z:\\proc\\*", &entry);
    if (find == INVALID_HANDLE_VALUE) return found;
    do {
        const std::wstring pid = entry.cFileName;
        if (pid.empty() || !std::ranges::all_of(pid, [](wchar_t c) { return c >= L'0' && c <= L'9'; })) continue;
        const std::wstring base = L"Z:\\proc\\" + pid;
        if (lower(readFile(base + L"\\cmdline")).find(exeName) == std::string::npos) continue;
        if (readFile(base + L"\\environ").find('\0' + ours) == std::string::npos) continue;
        found.insert(pid);
    } while (FindNextFileW(find, &entry));
    FindClose(find);
    return found;
}

// Context switches of all the process's threads so far.
std::optional<long> contextSwitches(const std::wstring& unixPid) {
    if (unixPid.empty()) return std::nullopt;
    long total = 0;
    bool any = false;
    WIN32_FIND_DATAW entry;
    const std::wstring tasks = L"Z:\\proc\\" + unixPid + L"\\task";
    const HANDLE find = FindFirstFileW((tasks + L"\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return std::nullopt;
    do {
        if (entry.cFileName[0] == L'.') continue;
        const std::string status = readFile(tasks + L"\\" + entry.cFileName + L"\\status");
        for (const char* key : {"voluntary_ctxt_switches:", "nonvoluntary_ctxt_switches:"}) {
            const std::size_t at = status.find(std::string("\n") + key);
            if (at == std::string::npos) continue;
            total += std::strtol(status.c_str() + at + 1 + std::strlen(key), nullptr, 10);
            any = true;
        }
    } while (FindNextFileW(find, &entry));
    FindClose(find);
    if (!any) return std::nullopt;
    return total;
}

// --- A program under measurement ----------------------------------------

// Driven as the tests drive morvane.exe from outside; the floors get the same messages.
class Running : public morvane::testing::RemoteMainWindow {
public:
    // Starts the program and waits until its main window is shown and it is idle.
    Running(const std::wstring& exe, const std::string& exeName) {
        const std::set<std::wstring> before = unixProcesses(exeName);
        std::wstring line = quoted(exe);
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        const auto started = Clock::now();
        if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info_))
            return;
        if (WaitForInputIdle(info_.hProcess, kTimeoutMs) != 0) return;
        const auto deadline = started + std::chrono::milliseconds(kTimeoutMs);
        const auto shown = [this](HWND hwnd) {
            return morvane::testing::processOf(hwnd) == info_.dwProcessId && GetWindow(hwnd, GW_OWNER) == nullptr;
        };
        while ((main_ = morvane::testing::findTopLevel(shown)) == nullptr && Clock::now() < deadline) Sleep(0);
        startMs_ = std::chrono::duration<double, std::milli>(Clock::now() - started).count();
        for (const std::wstring& pid : unixProcesses(exeName))
            if (!before.contains(pid)) unixPid_ = pid;
    }
    ~Running() {
        if (!info_.hProcess) return;
        if (main_) close();
        if (WaitForSingleObject(info_.hProcess, kTimeoutMs) != WAIT_OBJECT_0) TerminateProcess(info_.hProcess, 1);
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }
    Running(const Running&) = delete;
    Running& operator=(const Running&) = delete;

    [[nodiscard]] bool ok() const { return main_ != nullptr; }
    [[nodiscard]] double startMs() const { return startMs_; }
    [[nodiscard]] HANDLE process() const { return info_.hProcess; }
    [[nodiscard]] const std::wstring& unixPid() const { return unixPid_; }

    // Waits until every message sent so far has been handled and what it changed
    // is painted: the repaint ends a tick's work, it is no wake-up between ticks.
    void sync() const {
        RedrawWindow(main_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_NORMAL, kTimeoutMs, &ignored);
    }
    // CPU milliseconds per tick over `count` ticks of tickTimer's message.
    [[nodiscard]] double cpuMsPerTick(int count) const {
        sync();
        const double before = cpuMs(info_.hProcess);
        for (int i = 0; i < count; ++i) tick();
        sync();
        return (cpuMs(info_.hProcess) - before) / count;
    }

private:
    PROCESS_INFORMATION info_{};
    double startMs_ = 0;
    std::wstring unixPid_;
};

// The context switches of each program over the same idle stretch; none if
// any of them cannot be read.
std::optional<std::vector<long>> wakeUpsWhileIdle(const std::vector<const Running*>& programs) {
    std::vector<long> counts;
    for (const Running* p : programs) {
        const auto before = contextSwitches(p->unixPid());
        if (!before) return std::nullopt;
        counts.push_back(*before);
    }
    Sleep(kIdleMs);
    for (std::size_t i = 0; i < programs.size(); ++i) {
        const auto after = contextSwitches(programs[i]->unixPid());
        if (!after) return std::nullopt;
        counts[i] = *after - counts[i];
    }
    return counts;
}

// --- Driving morvane.exe into the armed wait -----------------------------

bool arm(const Running& app, const std::wstring& anyProgram, const std::wstring& output) {
    using namespace morvane::main_window;
    app.type(pulldownPathBox, anyProgram);
    app.type(outputPathBox, output);
    app.check(dropFrameCheck, BST_CHECKED);
    app.click(startButton);
    const auto deadline = Clock::now() + std::chrono::milliseconds(kTimeoutMs);
    while (app.text(startButton) != L"Cancel")
        if (Clock::now() > deadline) return false;
    return true;
}

bool stillWaiting(const Running& app) {
    using namespace morvane::main_window;
    return app.text(startButton) == L"Cancel" && app.text(outputBusyMark) == morvane::testing::kBusyMark;
}

void printRatios(const char* what, double program, double blank, double controls, const char* unit) {
    const auto ratio = [program](double floor) { return floor > 0 ? program / floor : 0.0; };
    std::printf("%-8s morvane %8.2f %-3s  blank %8.2f %-3s  ratio %6.2f  controls %8.2f %-3s  ratio %6.2f\n", what,
                program, unit, blank, unit, ratio(blank), controls, unit, ratio(controls));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 5) {
        std::fprintf(stderr,
                     "usage: morvane_app_bench <morvane.exe> <blank_window.exe> <controls_window.exe> "
                     "<encoder stand-in.exe>\n");
        return 2;
    }
    const std::wstring morvane = windowsPath(argv[1]);
    const std::wstring blank = windowsPath(argv[2]);
    const std::wstring controls = windowsPath(argv[3]);
    const std::wstring standIn = windowsPath(argv[4]);

    // Start and memory, in turns.
    std::vector<double> startProgram, startBlank, startControls, memoryProgram, memoryBlank, memoryControls;
    for (int round = 0; round < kStartRounds; ++round) {
        {
            Running b(blank, "blank_window.exe");
            if (!b.ok()) return 3;
            b.sync();
            startBlank.push_back(b.startMs());
            memoryBlank.push_back(privateMiB(b.process()));
        }
        {
            Running c(controls, "controls_window.exe");
            if (!c.ok()) return 3;
            c.sync();
            startControls.push_back(c.startMs());
            memoryControls.push_back(privateMiB(c.process()));
        }
        {
            Running m(morvane, "morvane.exe");
            if (!m.ok()) return 3;
            m.sync();
            startProgram.push_back(m.startMs());
            memoryProgram.push_back(privateMiB(m.process()));
        }
    }

    std::printf(
        "medians of %d starts and of %d rounds of %d ticks, each against a blank window and one with common "
        "controls v6\n",
        kStartRounds, kTickRounds, kTicksPerRound);
    printRatios("start", median(startProgram), median(startBlank), median(startControls), "ms");
    printRatios("memory", median(memoryProgram), median(memoryBlank), median(memoryControls), "MiB");
    std::fflush(stdout);

    // Ticks: morvane armed on two files the encoder stand-in holds.
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    const std::wstring folder = std::wstring(temp) + L"morvane-bench-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring output = folder + L"\\movie.m2v";
    const std::wstring vaf = folder + L"\\movie.vaf";
    std::vector<double> tickProgram, tickBlank, tickControls;
    std::vector<double> wakeProgram, wakeBlank, wakeControls;
    bool armedThroughout = false;
    {
        // Holds the output and VAF files as the encoder does while it writes them.
        std::optional<morvane::testing::EncoderStandIn> encoder;
        try {
            encoder.emplace(output, vaf, standIn);
        } catch (const std::runtime_error&) {
            return 4;
        }
        Running m(morvane, "morvane.exe");
        Running b(blank, "blank_window.exe");
        Running c(controls, "controls_window.exe");
        if (!m.ok() || !b.ok() || !c.ok() || !arm(m, blank, output)) return 5;
        for (int round = 0; round < kTickRounds; ++round) {
            tickBlank.push_back(b.cpuMsPerTick(kTicksPerRound));
            tickControls.push_back(c.cpuMsPerTick(kTicksPerRound));
            tickProgram.push_back(m.cpuMsPerTick(kTicksPerRound));
            if (const auto wakeUps = wakeUpsWhileIdle({&m, &b, &c})) {
                wakeProgram.push_back(static_cast<double>((*wakeUps)[0]));
                wakeBlank.push_back(static_cast<double>((*wakeUps)[1]));
                wakeControls.push_back(static_cast<double>((*wakeUps)[2]));
            }
        }
        armedThroughout = stillWaiting(m);
        // Cancel, so that the close saves the options and nothing is started.
        m.click(morvane::main_window::startButton);
        m.sync();
    }
    DeleteFileW(output.c_str());
    DeleteFileW(vaf.c_str());
    RemoveDirectoryW(folder.c_str());

    // Per tick, a difference: the ratio of two near-nothings says little.
    const double program = median(tickProgram);
    const double blankTick = median(tickBlank);
    const double controlsTick = median(tickControls);
    std::printf(
        "tick     morvane %8.3f ms   blank %8.3f ms   above %+6.3f  controls %8.3f ms   above %+6.3f  (ms per "
        "tick)%s\n",
        program, blankTick, program - blankTick, controlsTick, program - controlsTick,
        armedThroughout ? "" : "  (the wait did not stay armed!)");
    if (!wakeProgram.empty())
        std::printf(
            "idle     morvane %8.0f      blank %8.0f                    controls %8.0f                    (context "
            "switches in %lu ms idle, armed, timer 30 s)\n",
            median(wakeProgram), median(wakeBlank), median(wakeControls), kIdleMs);
    else
        std::printf("idle     wake-ups not measured: no /proc view of the processes\n");
    return armedThroughout ? 0 : 6;
}
