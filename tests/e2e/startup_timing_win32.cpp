// Start-up time of the real program with the real library: from CreateProcess until the host
// window and every note's window are shown and the host answers, with 100 stored notes against
// none. Runs alternate between the two so that a busy machine slows both alike; prints each run,
// the medians and their ratio. Usage: e2e_startup_timing [runs per setting, default 7; 0 only
// starts each once]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/e2e/harness_win32.h"
#include "tests/e2e/hundred_notes_ini.h"

namespace yorimemo::e2e {
namespace {

int visibleWindows(const RunningProgram& program) {
    int visible = 0;
    for (const HWND window : program.topLevelWindows()) {
        if (::IsWindowVisible(window)) ++visible;
    }
    return visible;
}

// Seconds until the host and `notes` note windows are visible and the host answers; negative
// when that did not happen in time.
double timeStart(const std::string& settings, int notes) {
    ProgramFolder folder(Library::Real);
    if (!settings.empty()) folder.writeIni(settings);
    const auto started = std::chrono::steady_clock::now();
    RunningProgram program(folder);
    const auto deadline = started + std::chrono::milliseconds(kDeadlineMs * 3);
    while (visibleWindows(program) < notes + 1) {
        if (std::chrono::steady_clock::now() > deadline || !program.running()) return -1;
        ::Sleep(1);
    }
    if (!program.settle()) return -1;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

int run(int runs) {
    const std::string settings = hundredNotes();
    // The first start of each loads Wine's and the fonts' caches; it is not counted.
    const bool started = timeStart("", 0) >= 0 && timeStart(settings, kNotes) >= 0;
    if (runs == 0) {
        if (!started) std::printf("a start did not finish in time\n");
        if (started) std::printf("started with no notes and with %d notes\n", kNotes);
        return started ? 0 : 1;
    }
    std::vector<double> empty;
    std::vector<double> full;
    for (int i = 0; i < runs; ++i) {
        empty.push_back(timeStart("", 0));
        full.push_back(timeStart(settings, kNotes));
        std::printf("run %d: no notes %.3f s, %d notes %.3f s\n", i + 1, empty.back(), kNotes,
                    full.back());
        std::fflush(stdout);
        if (empty.back() < 0 || full.back() < 0) {
            std::printf("a start did not finish in time\n");
            return 1;
        }
    }
    const double emptyMedian = median(empty);
    const double fullMedian = median(full);
    std::printf("median: no notes %.3f s, %d notes %.3f s, ratio: %.2fx\n", emptyMedian, kNotes,
                fullMedian, fullMedian / emptyMedian);
    return 0;
}

}  // namespace
}  // namespace yorimemo::e2e

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(0, std::atoi(argv[1])) : 7;
    return yorimemo::e2e::run(runs);
}
