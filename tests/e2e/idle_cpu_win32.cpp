// Idle cost of the real program with 100 notes against a bare window program showing 100 popups,
// both measured over the same interval once everything is shown: processor time used by each
// process while nobody touches them. Usage: e2e_idle_cpu [seconds, default 20]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/e2e/harness_win32.h"
#include "tests/e2e/hundred_notes_ini.h"

namespace yorimemo::e2e {
namespace {

// User plus system time of the Linux processes whose command line holds `pattern`, in
// milliseconds: Wine does not report other processes' times, the kernel does.
double linuxCpuMs(const std::string& pattern) {
    const testing::TempFolder folder("yorimemo-idle-cpu");
    const std::string result = folder.file("cpu-ms.txt");
    const std::string resultUnix = unixPath(result);
    if (resultUnix.empty()) return -1;
    // Fields 14 and 15 of stat, counted after the name in parentheses, in clock ticks.
    const std::string command = "for p in $(pgrep -f -- '" + pattern +
                                "'); do sed 's/.*) //' /proc/$p/stat; done | awk '{t += $12 + "
                                "$13} END {print t * 1000 / '$(getconf CLK_TCK)'}' > '" +
                                resultUnix + "'";
    if (runLinuxCommand(command) != 0) return -1;
    const std::string text = readFileBytes(result);
    return text.empty() ? -1 : std::atof(text.c_str());
}

// The bare program: its main window and 100 popups, then nothing but its message loop.
class BareProgram {
public:
    BareProgram() {
        std::string command = std::string("\"") + YORIMEMO_POPUP_BENCH + "\" child 100 0";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        if (::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &process_)) {
            ::CloseHandle(process_.hThread);
        }
    }
    ~BareProgram() {
        if (process_.hProcess == nullptr) return;
        ::TerminateProcess(process_.hProcess, 0);
        ::WaitForSingleObject(process_.hProcess, kDeadlineMs);
        ::CloseHandle(process_.hProcess);
    }
    BareProgram(const BareProgram&) = delete;
    BareProgram& operator=(const BareProgram&) = delete;

    HANDLE handle() const { return process_.hProcess; }
    DWORD id() const { return process_.dwProcessId; }

private:
    PROCESS_INFORMATION process_{};
};

int run(int seconds) {
    ProgramFolder folder(Library::Real);
    folder.writeIni(hundredNotes());
    RunningProgram program(folder);
    BareProgram bare;
    if (bare.handle() == nullptr) {
        std::printf("the bare window program did not start\n");
        return 1;
    }
    if (!waitFor([&] { return program.motes().size() == static_cast<std::size_t>(kNotes); }) ||
        !waitFor([&] { return visibleWindowCount(bare.id()) >= kNotes + 1; }) ||
        !program.settle()) {
        std::printf("the notes or the popups were not shown in time\n");
        return 1;
    }
    // The program's folder name is unique to this run; the bare program runs only here.
    const std::string folderName = folder.path().substr(folder.path().rfind('\\') + 1);
    const std::string notesPattern = folderName + ".yorimemo.exe";
    const std::string barePattern = "popup_windows_bench.exe child";
    // Start-up work still settling (fonts, first paints) is not idle time.
    pumpMessages(2000);
    const double notesBefore = linuxCpuMs(notesPattern);
    const double bareBefore = linuxCpuMs(barePattern);
    // An idle measurement is a fixed stretch of time by nature.
    pumpMessages(static_cast<DWORD>(seconds) * 1000);
    const double notesUsed = linuxCpuMs(notesPattern) - notesBefore;
    const double bareUsed = linuxCpuMs(barePattern) - bareBefore;
    if (notesBefore <= 0 || bareBefore <= 0) {
        std::printf("the processes' times could not be read\n");
        return 1;
    }
    std::printf(
        "idle CPU over %d s: yorimemo with %d notes %.1f ms, bare window program with %d "
        "popups %.1f ms\n",
        seconds, kNotes, notesUsed, kNotes, bareUsed);
    return 0;
}

}  // namespace
}  // namespace yorimemo::e2e

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    return yorimemo::e2e::run(seconds);
}
