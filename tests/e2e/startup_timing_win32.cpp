// Start-up time of the real program with the real library against the window system's floor:
// from CreateProcess until the host window and every note's window are shown and the host
// answers, for 100 stored notes whose priorities lie in slot order, reversed and scattered, and
// for a bare program showing 100 popups one by one (popup_windows_bench), timed the same way.
// Runs alternate between the four so that a busy machine slows all alike; prints each run, each
// median and its ratio to the bare popups. Usage: e2e_startup_timing [runs of each, default 7; 0
// only starts each once]
#include <windows.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/e2e/harness_win32.h"
#include "tests/e2e/hundred_notes_ini.h"

namespace yorimemo::e2e {
namespace {

using Clock = std::chrono::steady_clock;
constexpr DWORD kPollMs = 1;  // a start is timed to the millisecond

double secondsSince(Clock::time_point started) {
    return std::chrono::duration<double>(Clock::now() - started).count();
}

// Seconds from `started` until the process shows `windows` windows and its window thread
// answers; negative when that did not happen in time. Both programs are timed by this one poll,
// and the answer is asked of the front window it found, so neither pays for a search the other
// does not.
double timeShownAndAnswering(Clock::time_point started, DWORD processId, std::size_t windows,
                             HANDLE process) {
    std::vector<HWND> found;
    const bool shown = waitFor(
        [&] {
            found = windowsOfProcess(processId);
            const auto visible = std::count_if(found.begin(), found.end(), ::IsWindowVisible);
            return static_cast<std::size_t>(visible) >= windows ||
                   ::WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
        },
        kDeadlineMs * 3, kPollMs);
    DWORD_PTR answer = 0;
    const bool answered =
        shown && ::WaitForSingleObject(process, 0) == WAIT_TIMEOUT &&
        ::SendMessageTimeoutA(found.front(), WM_NULL, 0, 0, SMTO_NORMAL, kDeadlineMs, &answer) != 0;
    return answered ? secondsSince(started) : -1;
}

// The program with its settings file: the host and every note window.
double timeNotes(const std::string& settings) {
    ProgramFolder folder(Library::Real);
    folder.writeIni(settings);
    const auto started = Clock::now();
    RunningProgram program(folder);
    return timeShownAndAnswering(started, program.processId(), kNotes + 1, program.handle());
}

// The bare program: its main window and the popups.
double timeBarePopups() {
    std::string command =
        std::string("\"") + YORIMEMO_POPUP_BENCH + "\" child " + std::to_string(kNotes) + " 0";
    // The bare program prints its own time; it goes nowhere, not into these figures.
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    HANDLE nowhere = ::CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   &inherited, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = nowhere;
    startup.hStdError = nowhere;
    PROCESS_INFORMATION info{};
    const auto started = Clock::now();
    const bool made = ::CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                       nullptr, &startup, &info) != 0;
    if (nowhere != INVALID_HANDLE_VALUE) ::CloseHandle(nowhere);
    if (!made) return -1;
    const double seconds =
        timeShownAndAnswering(started, info.dwProcessId, kNotes + 1, info.hProcess);
    ::TerminateProcess(info.hProcess, 0);
    ::WaitForSingleObject(info.hProcess, kDeadlineMs);
    ::CloseHandle(info.hThread);
    ::CloseHandle(info.hProcess);
    return seconds;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

struct Setting {
    const char* name;
    std::string settings;  // empty: the bare popups
    std::vector<double> seconds;
};

int run(int runs) {
    std::array<Setting, 4> settings{{
        {"bare 100 popups", "", {}},
        {"100 notes, priorities in slot order", hundredNotes(PriorityOrder::Slot), {}},
        {"100 notes, priorities reversed", hundredNotes(PriorityOrder::Reversed), {}},
        {"100 notes, priorities (slot x 37) mod 100", hundredNotes(PriorityOrder::Scattered), {}},
    }};
    auto time = [](const Setting& setting) {
        return setting.settings.empty() ? timeBarePopups() : timeNotes(setting.settings);
    };
    // The first start of each loads Wine's and the fonts' caches; it is not counted.
    bool started = true;
    for (const Setting& setting : settings) started = time(setting) >= 0 && started;
    if (runs == 0) {
        std::printf(started ? "started each once\n" : "a start did not finish in time\n");
        return started ? 0 : 1;
    }
    for (int i = 0; i < runs; ++i) {
        std::printf("run %d:", i + 1);
        for (Setting& setting : settings) {
            setting.seconds.push_back(time(setting));
            std::printf(" %.3f s", setting.seconds.back());
            if (setting.seconds.back() < 0) {
                std::printf("\n%s did not finish in time\n", setting.name);
                return 1;
            }
        }
        std::printf("\n");
        std::fflush(stdout);
    }
    const double floor = median(settings[0].seconds);
    for (const Setting& setting : settings) {
        const double middle = median(setting.seconds);
        std::printf("%s: median %.3f s, ratio: %.2fx\n", setting.name, middle, middle / floor);
    }
    return 0;
}

}  // namespace
}  // namespace yorimemo::e2e

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(0, std::atoi(argv[1])) : 7;
    return yorimemo::e2e::run(runs);
}
