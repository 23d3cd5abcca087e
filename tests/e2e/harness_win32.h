#pragma once
// Drives the real program from a Windows test program under Wine: a throw-away program folder, the
// running program with its host window, menus, dialogs and mote windows, event messages, Linux
// commands (xdotool, ImageMagick) and screenshots. Every wait polls a condition with a deadline.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/dialog_driver_win32.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"
#include "tests/support/wait_win32.h"

namespace yorimemo::e2e {

using testing::Click;
using testing::fileExists;
using testing::IsChecked;
using testing::kDeadlineMs;
using testing::PressButton;
using testing::pumpMessages;
using testing::readFileBytes;
using testing::waitFor;
using testing::writeFileBytes;

// Which mote.dll goes beside the program.
enum class Library { Real, Recording, RecordingNoCreate, RecordingNarrow, None };

// Build products, as Windows paths.
std::string programPath();
std::string libraryPath(Library library);
std::string iconPath();
// The build's artefact folder (created on first use), as a Windows path.
std::string artifactFolder();
// The Linux path of a Windows path; empty when not running under Wine.
std::string unixPath(const std::string& windowsPath);

// The screen's pixels per inch, as the program sees it; the test program sees the screen as the
// program does, in real pixels, whatever the scale.
int screenDpi();
// A place or size stored at 100 %, as the program shows it at that scale, and back.
int scaled(int value);
int unscaled(int value);

// Every top-level window, front to back.
std::vector<HWND> windowStack();
// A process's top-level windows, front to back, and how many of them are visible.
std::vector<HWND> windowsOfProcess(DWORD processId);
std::size_t visibleWindowCount(DWORD processId);
// True when both are top-level windows and `front` lies in front of `back`.
bool inFront(HWND front, HWND back);

// An INI value read by the program's own profile reader, or by the platform's.
std::string iniValue(const std::string& iniPath, const std::string& section, const std::string& key,
                     const std::string& fallback = "");
std::string platformIniValue(const std::string& iniPath, const std::string& section,
                             const std::string& key, const std::string& fallback = "");

// A fresh folder holding yorimemo.exe, the chosen mote.dll and yorimemo.ico; removed with its
// files at scope end (end the program first).
class ProgramFolder {
public:
    explicit ProgramFolder(Library library = Library::Recording);
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    const std::string& path() const { return folder_.path(); }
    std::string file(const std::string& name) const { return folder_.file(name); }
    std::string exe() const { return file("yorimemo.exe"); }
    std::string ini() const { return file("yorimemo.ini"); }

    // Puts another mote.dll beside the program (none: removes it); only while it is not running.
    void useLibrary(Library library) const;
    void writeIni(const std::string& bytes) const;
    std::string readIni() const;
    // The recording library's calls, without the header.
    std::vector<std::string> callLog() const;

private:
    testing::TempFolder folder_{"yorimemo-e2e"};
};

// A top-level window of the program that shows a note, with its screen rectangle.
struct MoteWindow {
    HWND window;
    RECT rect;
};

// The program started from a folder; terminated (if still running) at scope end.
class RunningProgram {
public:
    // `firstOnPath`, when given, is put first on the started program's PATH.
    explicit RunningProgram(const ProgramFolder& folder, const std::string& firstOnPath = "");
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    DWORD processId() const { return processId_; }
    HANDLE handle() const { return process_; }
    bool running() const;
    bool waitForExit(DWORD deadlineMs = kDeadlineMs) const;
    DWORD exitCode() const;

    // The host window, waited for on first use; null when the program never showed it.
    HWND host();
    // Returns once the host has handled every message posted to it before; false on timeout.
    bool settle();

    std::vector<HWND> topLevelWindows() const;
    // Visible top-level windows that are neither the host, a menu nor a dialog.
    std::vector<MoteWindow> motes();

    // Right-button release on the tray icon: opens the tray menu.
    void openTrayMenu();
    void postTrayNotify(WPARAM id, LPARAM mouseMessage);
    // The open popup menu window, or null.
    HWND popupMenu() const;
    // Waits for a popup menu, types the access key and waits for the menu to close.
    bool chooseMenuKey(char key);
    bool dismissMenu();
    // Tray menu, quit, and wait for the process to end.
    bool quit();

    // A dialog of the program whose caption is exactly `caption` (code page 932 bytes), or null.
    HWND dialog(const std::string& caption);
    HWND waitForDialog(const std::string& caption, DWORD deadlineMs = kDeadlineMs);

    // An event message as mote.dll sends it; returns when the host has handled it.
    bool sendEvent(const std::string& payload);
    // The same from another thread, for events whose handling stays inside a dialog or menu.
    void sendEventNoWait(const std::string& payload);

private:
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
    HWND host_ = nullptr;
    std::vector<std::thread> senders_;
};

// "OnMoteLButtonDown\r\n3\r\n100\r\n200\r\n" for (OnMoteLButtonDown, 3, 100, 200).
std::string eventPayload(const std::string& name, int id, int x, int y);

// Dialog texts as code page 932 bytes, as the settings file holds them, on every system.
std::string itemText(HWND dialog, int id);
bool setItemText(HWND dialog, int id, const std::string& bytes);
// A window's title, read without a message (as window lists read another program's windows).
std::string windowTitle(HWND window);

// Runs a shell command line on the Linux side (no double quotes in it) and waits for it; its exit
// status, or -1 when it could not be started or did not finish in time.
int runLinuxCommand(const std::string& shellCommand, DWORD deadlineMs = kDeadlineMs);
int xdotool(const std::string& arguments);

// The whole screen as a PNG artefact plus its pixels.
class Screenshot {
public:
    // Writes artifactFolder()\<name>.png; nothing when the screen could not be read.
    static std::optional<Screenshot> take(const std::string& name);

    int width() const { return width_; }
    int height() const { return height_; }
    // 0x00RRGGBB; 0 outside the screen.
    std::uint32_t pixel(int x, int y) const;
    // Pixels of `rect` (clipped to the screen) whose colour is `color`.
    int count(const RECT& rect, std::uint32_t color) const;
    const std::string& pngPath() const { return pngPath_; }

private:
    int width_ = 0;
    int height_ = 0;
    std::string rgb_;
    std::string pngPath_;
};

}  // namespace yorimemo::e2e
