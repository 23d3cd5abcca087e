// The program's watch on the desktop size, with the recording mote.dll: a change of the screen
// resolution is told to the library once, within about a second, and new notes are centred on
// the new size.
//
// Xvfb's RandR offers no mode but the one it started with, so the resolution is changed the way
// Wine allows: from a small program inside a Wine virtual desktop, which changes the display mode
// of the whole Wine session, the desktop window of the program's own desktop included.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/e2e/harness_win32.h"
#include "tests/e2e/interaction_support_win32.h"

namespace yorimemo::e2e {
namespace {

std::string windowsPath(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

std::string displayModeProgram() {
    return "\"" + windowsPath(YORIMEMO_DISPLAY_MODE_PROGRAM) + "\"";
}

// Starts `commandLine`, in `desktop` when given; null when it cannot be started.
HANDLE startProgram(std::string commandLine, const std::string& desktop = "") {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string desktopName = desktop;
    if (!desktop.empty()) startup.lpDesktop = desktopName.data();
    PROCESS_INFORMATION info{};
    if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &info)) {
        return nullptr;
    }
    ::CloseHandle(info.hThread);
    return info.hProcess;
}

void endProgram(HANDLE process) {
    if (process == nullptr) return;
    ::TerminateProcess(process, 0);
    ::WaitForSingleObject(process, kDeadlineMs);
    ::CloseHandle(process);
}

// Runs `commandLine` in `desktop` to its end: its exit status, or -1.
int runProgram(const std::string& commandLine, const std::string& desktop) {
    const HANDLE process = startProgram(commandLine, desktop);
    if (process == nullptr) return -1;
    DWORD status = static_cast<DWORD>(-1);
    if (::WaitForSingleObject(process, kDeadlineMs) == WAIT_OBJECT_0) {
        ::GetExitCodeProcess(process, &status);
    }
    endProgram(process);
    return static_cast<int>(status);
}

// A Wine virtual desktop of the current size, from which the display mode can be changed. It
// puts the original mode back before it closes.
class VirtualDesktop {
public:
    VirtualDesktop() : name_("yorimemo-e2e-" + std::to_string(::GetCurrentProcessId())) {
        original_ = desktopRect();
        explorer_ =
            startProgram("C:\\windows\\explorer.exe /desktop=" + name_ + "," +
                         std::to_string(original_.right) + "x" + std::to_string(original_.bottom));
        if (explorer_ == nullptr || !waitFor([this] { return exists(); })) return;
        holder_ = startProgram(
            displayModeProgram() + " hold " + std::to_string(::GetCurrentProcessId()), name_);
    }
    ~VirtualDesktop() {
        const RECT now = desktopRect();
        if (now.right != original_.right || now.bottom != original_.bottom) {
            setMode(original_.right, original_.bottom);
        }
        endProgram(holder_);
        endProgram(explorer_);
    }
    VirtualDesktop(const VirtualDesktop&) = delete;
    VirtualDesktop& operator=(const VirtualDesktop&) = delete;

    bool started() const { return holder_ != nullptr; }
    const RECT& original() const { return original_; }

    // Sets the session's display mode and waits until this process sees it.
    bool setMode(LONG width, LONG height) {
        const std::string commandLine =
            displayModeProgram() + " " + std::to_string(width) + " " + std::to_string(height);
        return runProgram(commandLine, name_) == 0 && waitFor([&] {
                   const RECT now = desktopRect();
                   return now.right == width && now.bottom == height;
               });
    }

private:
    bool exists() const {
        const HDESK desktop = ::OpenDesktopA(name_.c_str(), 0, FALSE, DESKTOP_READOBJECTS);
        if (desktop != nullptr) ::CloseDesktop(desktop);
        return desktop != nullptr;
    }

    std::string name_;
    RECT original_{};
    HANDLE explorer_ = nullptr;
    HANDLE holder_ = nullptr;
};

std::size_t countCalls(const std::vector<std::string>& log, const std::string& name) {
    return static_cast<std::size_t>(std::count_if(
        log.begin(), log.end(),
        [&](const std::string& line) { return line == name || line.rfind(name + " ", 0) == 0; }));
}

bool hasLine(const std::vector<std::string>& log, const std::string& line) {
    return std::find(log.begin(), log.end(), line) != log.end();
}

TEST(DesktopSize, AChangeIsToldToTheLibraryOnceAndCentresTheNextNote) {
    ProgramFolder folder(Library::Recording);
    RunningProgram program(folder);
    ASSERT_NE(program.host(), nullptr);
    ASSERT_TRUE(program.settle());

    VirtualDesktop desktop;
    ASSERT_TRUE(desktop.started());
    const RECT original = desktop.original();
    ASSERT_GT(original.right, 1024);
    const std::string updated = "_update_desktopsize";

    ASSERT_TRUE(desktop.setMode(1024, 768));
    const ULONGLONG changed = ::GetTickCount64();
    ASSERT_TRUE(waitFor([&] { return countCalls(folder.callLog(), updated) == 1; }));
    const ULONGLONG noticed = ::GetTickCount64() - changed;
    std::printf("desktop change noticed after %llu ms\n", noticed);
    // Looked at once a second; the rest is a loaded machine's slack.
    EXPECT_LT(noticed, 3000u);
    // Once: the following looks find nothing new.
    EXPECT_FALSE(waitFor([&] { return countCalls(folder.callLog(), updated) > 1; }, 2500));

    program.openTrayMenu();
    ASSERT_TRUE(program.chooseMenuKey('c'));
    ASSERT_TRUE(waitFor([&] {
        return hasLine(folder.callLog(), "_create 362 359 0 0 0 -> 0");  // (1024-300)/2, (768-50)/2
    }));
    // The library logs the call as it is made; the note is saved only after it is drawn.
    EXPECT_TRUE(waitFor([&] {
        return iniValue(folder.ini(), "Husen1", "PosX") == "362" &&
               iniValue(folder.ini(), "Husen1", "PosY") == "359";
    }));

    // Back to the first size: one more call, and the next note is centred there again.
    ASSERT_TRUE(desktop.setMode(original.right, original.bottom));
    ASSERT_TRUE(waitFor([&] { return countCalls(folder.callLog(), updated) == 2; }));
    program.openTrayMenu();
    ASSERT_TRUE(program.chooseMenuKey('m'));
    const std::string centred = "_create " + std::to_string((original.right - 300) / 2) + " " +
                                std::to_string((original.bottom - 50) / 2) + " 0 0 1 -> 1";
    EXPECT_TRUE(waitFor([&] { return hasLine(folder.callLog(), centred); })) << centred;
    EXPECT_EQ(countCalls(folder.callLog(), updated), 2u);
}

}  // namespace
}  // namespace yorimemo::e2e
