// Starts the real program, copied into a fresh folder, and watches it from outside.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/handles_win32.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"
#include "tests/support/wait_win32.h"

namespace yorimemo {
namespace {

using testing::fileExists;
using testing::readFileBytes;
using testing::TempFolder;
using testing::writeFileBytes;

// The program lies at a fixed place relative to this test in the build tree.
std::string ProgramPath() {
    char self[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path = self;
    path.resize(path.rfind('\\') + 1);
    return path + YORIMEMO_PROGRAM_FROM_TEST;
}

// Top-level windows that belong to a process.
std::vector<HWND> WindowsOf(DWORD processId) {
    struct Search {
        DWORD processId;
        std::vector<HWND> found;
    } search{processId, {}};
    ::EnumWindows(
        [](HWND hwnd, LPARAM param) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(hwnd, &owner);
            if (owner == s.processId) s.found.push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Windows a process creates, counted from its first instruction on by a window-event hook.
std::map<HWINEVENTHOOK, int> createdCounts;

void CALLBACK OnWindowCreated(HWINEVENTHOOK hook, DWORD, HWND, LONG object, LONG child, DWORD,
                              DWORD) {
    if (object == OBJID_WINDOW && child == CHILDID_SELF) ++createdCounts[hook];
}

// A started copy of the program; ended when this goes out of scope, whatever happened.
class Started {
public:
    explicit Started(const std::string& exe, const std::string& folder) {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        std::string commandLine = "\"" + exe + "\"";
        if (!::CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                              CREATE_SUSPENDED, nullptr, folder.c_str(), &startup, &info)) {
            throw std::runtime_error("cannot start " + exe);
        }
        process_.reset(info.hProcess);
        id_ = info.dwProcessId;
        hook_ = ::SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_CREATE, nullptr,
                                  OnWindowCreated, id_, 0, WINEVENT_OUTOFCONTEXT);
        ::ResumeThread(info.hThread);
        ::CloseHandle(info.hThread);
    }
    ~Started() {
        if (running()) {
            ::TerminateProcess(process_.get(), 1);
            ::WaitForSingleObject(process_.get(), testing::kDeadlineMs);
        }
        if (hook_ != nullptr) ::UnhookWinEvent(hook_);
    }
    Started(const Started&) = delete;
    Started& operator=(const Started&) = delete;

    bool running() const { return ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }
    bool waitForExit() const {
        return testing::waitFor([&] { return !running(); });
    }
    DWORD exitCode() const {
        DWORD code = STILL_ACTIVE;
        ::GetExitCodeProcess(process_.get(), &code);
        return code;
    }
    int windowsCreated() const {
        testing::pumpMessages(0);
        const auto counted = createdCounts.find(hook_);
        return counted == createdCounts.end() ? 0 : counted->second;
    }

    // The visible top-level windows of the process.
    std::vector<HWND> visibleWindows() const {
        std::vector<HWND> visible;
        for (const HWND hwnd : WindowsOf(id_)) {
            if (::IsWindowVisible(hwnd)) visible.push_back(hwnd);
        }
        return visible;
    }

    // The host window, once the program has shown it.
    HWND waitForWindow() const {
        testing::waitFor([&] { return !visibleWindows().empty() || !running(); });
        const std::vector<HWND> visible = visibleWindows();
        return visible.empty() ? nullptr : visible.front();
    }

private:
    KernelHandle process_;
    DWORD id_ = 0;
    HWINEVENTHOOK hook_ = nullptr;
};

class ProgramStartTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fileExists(ProgramPath())) << ProgramPath();
        ASSERT_TRUE(::CopyFileA(ProgramPath().c_str(), exe_.c_str(), FALSE));
    }

    TempFolder folder_;
    const std::string exe_ = folder_.file("yorimemo.exe");
    const std::string ini_ = folder_.file("yorimemo.ini");
};

TEST_F(ProgramStartTest, KeepsRunningWithItsWindowParkedOffScreen) {
    Started program(exe_, folder_.path());
    const HWND window = program.waitForWindow();
    ASSERT_NE(window, nullptr) << "no window; exit code " << program.exitCode();
    RECT frame{};
    ::GetWindowRect(window, &frame);
    EXPECT_EQ(frame.left, -100);
    EXPECT_EQ(frame.top, -100);
    EXPECT_TRUE(::GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);

    // Enter and Esc do not end it.
    for (const UINT message : {WM_KEYDOWN, WM_KEYUP}) {
        ::PostMessageA(window, message, VK_RETURN, 0);
        ::PostMessageA(window, message, VK_ESCAPE, 0);
    }
    ::PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    ::PostMessageA(window, WM_CLOSE, 0, 0);
    // A message sent after the posted ones returns only once they have been handled.
    DWORD_PTR answer = 0;
    EXPECT_TRUE(
        ::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, testing::kDeadlineMs, &answer));
    EXPECT_TRUE(program.running());
    EXPECT_TRUE(::IsWindowVisible(window));
}

TEST_F(ProgramStartTest, SecondStartEndsAtOnceAndLeavesTheSettingsAlone) {
    const std::string settings = "[System]\r\nFloating=On\r\n";
    writeFileBytes(ini_, settings);

    Started first(exe_, folder_.path());
    ASSERT_NE(first.waitForWindow(), nullptr);
    WIN32_FILE_ATTRIBUTE_DATA before{};
    ASSERT_TRUE(::GetFileAttributesExA(ini_.c_str(), GetFileExInfoStandard, &before));

    // The event hook sees the first instance create its window, so it would see a second one.
    ASSERT_TRUE(testing::waitFor([&] { return first.windowsCreated() > 0; }));

    Started second(exe_, folder_.path());
    ASSERT_TRUE(second.waitForExit()) << "the second instance kept running";
    EXPECT_EQ(second.exitCode(), 0u);
    EXPECT_EQ(second.windowsCreated(), 0);

    EXPECT_TRUE(first.running());
    EXPECT_EQ(first.visibleWindows().size(), 1u);
    WIN32_FILE_ATTRIBUTE_DATA after{};
    ASSERT_TRUE(::GetFileAttributesExA(ini_.c_str(), GetFileExInfoStandard, &after));
    EXPECT_EQ(::CompareFileTime(&before.ftLastWriteTime, &after.ftLastWriteTime), 0);
    EXPECT_EQ(readFileBytes(ini_), settings);
}

TEST_F(ProgramStartTest, StartWithoutSettingsCreatesNoFile) {
    Started program(exe_, folder_.path());
    ASSERT_NE(program.waitForWindow(), nullptr);
    // Once the window answers, the start-up is over.
    DWORD_PTR answer = 0;
    ::SendMessageTimeoutA(program.waitForWindow(), WM_NULL, 0, 0, SMTO_NORMAL, testing::kDeadlineMs,
                          &answer);
    EXPECT_TRUE(program.running());
    EXPECT_FALSE(fileExists(ini_));
}

TEST(ProgramFilesTest, TrayIconFileLiesBesideTheProgram) {
    std::string icon = ProgramPath();
    icon.replace(icon.size() - 3, 3, "ico");
    const HANDLE image = ::LoadImageA(nullptr, icon.c_str(), IMAGE_ICON, 16, 16, LR_LOADFROMFILE);
    ASSERT_NE(image, nullptr) << icon;
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(static_cast<HICON>(image), &info));
    BITMAP mask{};
    ::GetObjectA(info.hbmMask, sizeof mask, &mask);
    EXPECT_EQ(mask.bmWidth, 16);
    ::DeleteObject(info.hbmMask);
    if (info.hbmColor) ::DeleteObject(info.hbmColor);
    ::DestroyIcon(static_cast<HICON>(image));
}

}  // namespace
}  // namespace yorimemo
