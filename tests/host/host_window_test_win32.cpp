// The host window in this process, with the recording library beside it: the real popup menus
// read back item by item, the tray icon's life, and the answers the window gives.
#include <windows.h>
// The notification-area declarations need windows.h first.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <shellapi.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/display_dpi_win32.h"
#include "host/host_dialog_win32.h"
#include "host/menu_model.h"
#include "host/notice_text.h"
#include "notes/profile_file.h"
#include "res/resource.h"
#include "tests/mote/recording/call_log.h"
#include "tests/notes/profile_strings.h"
#include "tests/shell/run_value_win32.h"
#include "tests/support/dialog_driver_win32.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"
#include "tests/support/tray_icon_id.h"
#include "tests/support/wait_win32.h"

namespace yorimemo {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using testing::RunDialog;

// The portable host tests use their own copy of the tray icon's id: it must stay the window's.
static_assert(testing::kTrayIconId == static_cast<std::int32_t>(kTrayIconId));

constexpr INT_PTR kEndedByTest = 42;

std::string besideTest(const char* relative) {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.rfind('\\') + 1) + relative;
}

struct ShownItem {
    UINT id;
    std::wstring text;
    bool separator;
    bool checked;
    bool greyed;
    bool operator==(const ShownItem& other) const {
        return id == other.id && text == other.text && separator == other.separator &&
               checked == other.checked && greyed == other.greyed;
    }
};

std::ostream& operator<<(std::ostream& out, const ShownItem& item) {
    return out << item.id << " '" << ::testing::PrintToString(item.text) << "'"
               << (item.separator ? " sep" : "") << (item.checked ? " checked" : "")
               << (item.greyed ? " greyed" : "");
}

std::vector<ShownItem> readMenu(HMENU menu) {
    std::vector<ShownItem> items;
    const int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        const int length = ::GetMenuStringW(menu, static_cast<UINT>(i), text, 256, MF_BYPOSITION);
        const UINT state = ::GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        const bool separator = (state & MF_SEPARATOR) != 0;
        // A separator reads as greyed too; only items can be.
        items.push_back({::GetMenuItemID(menu, i), std::wstring(text, static_cast<size_t>(length)),
                         separator, (state & MF_CHECKED) != 0,
                         !separator && (state & MF_GRAYED) != 0});
    }
    return items;
}

ShownItem item(MenuCommand command, bool checked = false, bool greyed = false) {
    return {static_cast<UINT>(command), menuText(command), false, checked, greyed};
}

const ShownItem kSeparator{0, L"", true, false, false};
// A submenu's item has no command id.
const ShownItem kNoNotesList{0xFFFFFFFF, menuText(kNoteList), false, false, true};

// Catches the popup menus the host opens in this thread, reads them, and answers with a key.
class MenuWatch {
public:
    explicit MenuWatch(std::vector<WPARAM> answers) : answers_(std::move(answers)) {
        current_ = this;
        hook_ =
            ::SetWindowsHookExA(WH_CALLWNDPROC, &MenuWatch::hook, nullptr, ::GetCurrentThreadId());
    }
    ~MenuWatch() {
        ::UnhookWindowsHookEx(hook_);
        current_ = nullptr;
    }

    std::vector<std::vector<ShownItem>> menus;

private:
    static LRESULT CALLBACK hook(int code, WPARAM wParam, LPARAM lParam) {
        const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && message->message == WM_INITMENUPOPUP && current_ != nullptr) {
            MenuWatch& watch = *current_;
            watch.menus.push_back(readMenu(reinterpret_cast<HMENU>(message->wParam)));
            const std::size_t index = watch.menus.size() - 1;
            const WPARAM key = index < watch.answers_.size() ? watch.answers_[index] : VK_ESCAPE;
            // The menu window takes keys once its loop runs; a posted key waits for that.
            if (key == VK_ESCAPE || key == VK_RETURN) {
                ::PostMessageA(message->hwnd, WM_KEYDOWN, key, 0);
            } else {
                HWND menuWindow = ::FindWindowA("#32768", nullptr);
                ::PostMessageA(menuWindow != nullptr ? menuWindow : message->hwnd, WM_CHAR, key, 0);
            }
        }
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static MenuWatch* current_;
    HHOOK hook_ = nullptr;
    std::vector<WPARAM> answers_;
};

MenuWatch* MenuWatch::current_ = nullptr;

class HostWindowTest : public ::testing::Test {
protected:
    HostWindowTest() {
        ::CopyFileA(besideTest(YORIMEMO_RECORDING_MOTE_FROM_TEST).c_str(),
                    folder.file("mote.dll").c_str(), FALSE);
        ini = folder.file("yorimemo.ini");
    }

    std::vector<std::string> calls() const { return recording::readCallLog(folder.path()); }
    std::string stored(const char* section, const char* key) const {
        return readProfileString(ini, section, key, "(none)");
    }

    testing::TempFolder folder;
    std::string ini;
};

void trayMenuNow(HWND host) {
    ::SendMessageA(host, kTrayNotifyMessage, kTrayIconId, WM_RBUTTONUP);
}

void trayRightClick(HWND host) {
    ::PostMessageA(host, kTrayNotifyMessage, kTrayIconId, WM_RBUTTONUP);
}

TEST_F(HostWindowTest, TrayMenuReadsBackAndItsCommandCreatesACentredNote) {
    MenuWatch watch({'c'});
    CHostDlg host(testing::Wide(folder.path()), testing::Wide(ini), nullptr);
    RunDialog(host, {[](HWND hwnd) { trayRightClick(hwnd); },
                     [](HWND hwnd) { ::EndDialog(hwnd, kEndedByTest); }});

    ASSERT_EQ(watch.menus.size(), 1u);
    EXPECT_THAT(
        watch.menus[0],
        ElementsAre(item(kCreateCyan), item(kCreateMagenta), item(kCreateYellow), kNoNotesList,
                    kSeparator, item(kAlwaysOnTop), item(kHideAll), item(kUndoErase, false, true),
                    kSeparator, item(kAutostart), item(kHotKey), kSeparator, item(kQuit)));
    RECT desktop{};
    ::GetWindowRect(::GetDesktopWindow(), &desktop);
    EXPECT_EQ(stored("Husen1", "Type"), "0");
    EXPECT_EQ(stored("Husen1", "PosX"), std::to_string((desktop.right - 300) / 2));
    EXPECT_EQ(stored("Husen1", "PosY"), std::to_string((desktop.bottom - 50) / 2));

    // The library was told to let the notes go behind while the menu was up.
    const auto log = calls();
    const auto created = std::find(
        log.begin(), log.end(),
        "_create_font_w " + recording::wideTextFields(L"\uFF2D\uFF33 \u30B4\u30B7\u30C3\u30AF") +
            " 9 " + std::to_string(systemDpi()) + " -> 12289");
    ASSERT_NE(created, log.end());
    EXPECT_EQ(*(created - 2), "_floating 0");
    EXPECT_THAT(log, Contains("_redraw"));
}

TEST_F(HostWindowTest, NoteMenuShowsTheNotesMarks) {
    testing::writeFileBytes(ini,
                            "[System]\r\nFloating=On\r\n"
                            "[Husen2]\r\nID=0\r\nType=1\r\nTextRed=1\r\n");
    MenuWatch watch({VK_ESCAPE});
    CHostDlg host(testing::Wide(folder.path()), testing::Wide(ini), nullptr);
    RunDialog(host, {[](HWND hwnd) {
                         const char click[] = "OnMoteRButtonUp\r\n0\r\n5\r\n5\r\n";
                         COPYDATASTRUCT data{0, sizeof click - 1, const_cast<char*>(click)};
                         EXPECT_EQ(
                             ::SendMessageA(hwnd, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)),
                             1);
                     },
                     [](HWND hwnd) { ::EndDialog(hwnd, kEndedByTest); }});

    ASSERT_EQ(watch.menus.size(), 1u);
    EXPECT_THAT(
        watch.menus[0],
        ElementsAre(item(kEdit), kSeparator, item(kRedText, true), kSeparator, item(kColorCyan),
                    item(kColorMagenta, true), item(kColorYellow), kSeparator, item(kErase),
                    kSeparator, item(kAlwaysOnTop, true), kSeparator, item(kQuit)));
    std::vector<std::string> floating;
    for (const std::string& call : calls()) {
        if (call.rfind("_floating", 0) == 0) floating.push_back(call);
    }
    // Start, the menu, then the user's setting back.
    EXPECT_THAT(floating, ElementsAre("_floating 1", "_floating 0", "_floating 1"));
}

// Closes every dialog of this thread as soon as it is filled, keeping the note text it showed.
class DialogWatch {
public:
    DialogWatch() {
        current_ = this;
        hook_ = ::SetWindowsHookExW(WH_CALLWNDPROCRET, &DialogWatch::hook, nullptr,
                                    ::GetCurrentThreadId());
    }
    ~DialogWatch() {
        ::UnhookWindowsHookEx(hook_);
        current_ = nullptr;
    }

    std::vector<std::wstring> texts;

private:
    static LRESULT CALLBACK hook(int code, WPARAM wParam, LPARAM lParam) {
        const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        // The host window is a dialog too; only the note dialogs hold a note's text.
        if (code == HC_ACTION && message->message == WM_INITDIALOG && current_ != nullptr &&
            ::GetDlgItem(message->hwnd, IDC_NOTE_TEXT) != nullptr) {
            current_->texts.push_back(testing::ItemText(message->hwnd, IDC_NOTE_TEXT));
            ::PostMessageW(message->hwnd, WM_COMMAND, IDCANCEL, 0);
        }
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static DialogWatch* current_;
    HHOOK hook_ = nullptr;
};

DialogWatch* DialogWatch::current_ = nullptr;

TEST_F(HostWindowTest, TheListOfNotesShowsThemFrontFirstAndOpensTheChosenOnesDialog) {
    testing::writeFileBytes(ini,
                            "[Husen1]\r\nID=0\r\nPriority=1\r\nText=back&forth\r\n"
                            "[Husen3]\r\nID=0\r\nPriority=5\r\nText=front\\nsecond\r\n");
    MenuWatch menus({'l', VK_RETURN});
    DialogWatch dialogs;
    CHostDlg host(testing::Wide(folder.path()), testing::Wide(ini), nullptr);
    RunDialog(host, {[](HWND hwnd) {
                  trayMenuNow(hwnd);
                  ::EndDialog(hwnd, kEndedByTest);
              }});

    ASSERT_EQ(menus.menus.size(), 2u);
    EXPECT_EQ(menus.menus[0][3], (ShownItem{0xFFFFFFFF, menuText(kNoteList), false, false, false}));
    EXPECT_THAT(menus.menus[1], ElementsAre(ShownItem{1002, L"front", false, false, false},
                                            ShownItem{1000, L"back&&forth", false, false, false}));
    EXPECT_THAT(dialogs.texts, ElementsAre(L"front\r\nsecond"));
}

TEST_F(HostWindowTest, EveryEventMessageIsAnsweredWithOne) {
    CHostDlg host(testing::Wide(folder.path()), testing::Wide(ini), nullptr);
    RunDialog(
        host, {[](HWND hwnd) {
            const std::vector<std::string> messages = {"", "garbage", "OnMoteLButtonUp\r\n",
                                                       std::string(100000, '\n'),
                                                       std::string("\0\r\n", 3)};
            for (const std::string& text : messages) {
                COPYDATASTRUCT data{7, static_cast<DWORD>(text.size()),
                                    const_cast<char*>(text.data())};
                EXPECT_EQ(::SendMessageA(hwnd, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)), 1);
            }
            COPYDATASTRUCT empty{0, 12345, nullptr};
            EXPECT_EQ(::SendMessageA(hwnd, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&empty)), 1);
            ::EndDialog(hwnd, kEndedByTest);
        }});
    EXPECT_FALSE(testing::fileExists(ini)) << "nothing happened that writes";
}

// The tray menu opened and closed within the call, as the menu watch answers it.
TEST_F(HostWindowTest, HideAllAndStartAtLogOnShowTheirMarksAndTheRunValueFollows) {
    testing::writeFileBytes(ini, "[Husen1]\r\nID=0\r\n");
    const testing::SavedRunValue restore;
    testing::DeleteRunValue();
    const std::string program = besideTest("host_window_test.exe");
    std::string shouted = program;
    ::CharUpperA(shouted.data());
    MenuWatch watch({'h', 'w', VK_ESCAPE, 'w', VK_ESCAPE, VK_ESCAPE});
    CHostDlg host(testing::Wide(folder.path()), testing::Wide(ini), nullptr);
    std::optional<testing::RunValue> written;
    std::string afterUncheck;
    RunDialog(host, {[&](HWND hwnd) {
                  // One step: a later step could run inside a menu's own loop.
                  trayMenuNow(hwnd);
                  trayMenuNow(hwnd);
                  written = testing::ReadRunValue();
                  trayMenuNow(hwnd);
                  trayMenuNow(hwnd);
                  afterUncheck = testing::RunValueText();
                  testing::WriteRunValue("\"C:\\elsewhere\\yorimemo.exe\"");
                  trayMenuNow(hwnd);
                  // Without quotes and in other case it still names this program.
                  testing::WriteRunValue(shouted);
                  trayMenuNow(hwnd);
                  ::EndDialog(hwnd, kEndedByTest);
              }});

    ASSERT_EQ(watch.menus.size(), 6u);
    ASSERT_TRUE(written.has_value());
    EXPECT_EQ(written->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(written->bytes, "\"" + program + "\"" + '\0');
    EXPECT_EQ(afterUncheck, "(none)");
    const auto marks = [&](std::size_t menu) {
        return std::make_pair(watch.menus[menu][6].checked, watch.menus[menu][9].checked);
    };
    EXPECT_EQ(watch.menus[0][6], item(kHideAll));
    EXPECT_EQ(watch.menus[0][9], item(kAutostart));
    EXPECT_EQ(marks(1), std::make_pair(true, false));
    EXPECT_EQ(marks(2), std::make_pair(true, true));
    EXPECT_EQ(marks(3), std::make_pair(true, true));
    EXPECT_EQ(marks(4), std::make_pair(true, false)) << "the value names another program";
    EXPECT_EQ(marks(5), std::make_pair(true, true));
    EXPECT_THAT(calls(), Contains("_hide 0"));
}

bool trayIconExists(HWND host) {
    NOTIFYICONDATAA probe{};
    probe.cbSize = NOTIFYICONDATAA_V1_SIZE;
    probe.hWnd = host;
    probe.uID = kTrayIconId;
    return ::Shell_NotifyIconA(NIM_MODIFY, &probe) != FALSE;
}

TEST_F(HostWindowTest, TrayIconComesBackWhenTheNotificationAreaRestarts) {
    CHostDlg host(testing::Wide(folder.path()), testing::Wide(ini), nullptr);
    RunDialog(host, {[](HWND hwnd) {
                  EXPECT_TRUE(trayIconExists(hwnd));
                  // What a restarting shell does: forget the icon, then announce itself.
                  NOTIFYICONDATAA icon{};
                  icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
                  icon.hWnd = hwnd;
                  icon.uID = kTrayIconId;
                  ::Shell_NotifyIconA(NIM_DELETE, &icon);
                  EXPECT_FALSE(trayIconExists(hwnd));
                  ::SendMessageA(hwnd, ::RegisterWindowMessageA("TaskbarCreated"), 0, 0);
                  EXPECT_TRUE(trayIconExists(hwnd));
                  ::EndDialog(hwnd, kEndedByTest);
              }});
}

long callsNamed(const std::vector<std::string>& log, std::string_view start) {
    return std::count_if(log.begin(), log.end(),
                         [&](const std::string& call) { return call.rfind(start, 0) == 0; });
}

// Stands in for the shell: refuses the first adds, records what it is asked.
struct FakeShell {
    static inline int addsToRefuse = 0;
    static inline std::vector<std::wstring> calls;
    // Runs as an add arrives, before it is answered.
    static inline std::function<void()> onAdd;

    static BOOL WINAPI notify(DWORD message, PNOTIFYICONDATAW data) {
        if (message == NIM_ADD && onAdd) onAdd();
        if (message == NIM_ADD && addsToRefuse > 0) {
            --addsToRefuse;
            calls.push_back(L"add refused");
            return FALSE;
        }
        if (message == NIM_ADD) calls.push_back(L"add");
        if (message == NIM_DELETE) calls.push_back(L"delete");
        if (message == NIM_MODIFY && (data->uFlags & NIF_INFO) != 0) {
            calls.push_back(std::wstring(L"balloon ") + data->szInfoTitle);
        }
        return TRUE;
    }
};

TEST_F(HostWindowTest, TheIconIsAddedUntilTheShellTakesItAndTheBalloonsWaitForIt) {
    testing::writeFileBytes(ini, "[Husen1]\r\nID=0\r\nText=kept\r\n");
    // Another program holds the file, sharing nothing.
    HANDLE held = ::CreateFileA(ini.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    FakeShell::addsToRefuse = 1;
    FakeShell::calls.clear();
    const auto title = [&](Notice notice) {
        return L"balloon " + noticeText(notice, testing::Wide(ini)).title;
    };
    CHostDlg host(testing::Wide(folder.path()), testing::Wide(ini), nullptr, &FakeShell::notify);
    RunDialog(host, {[&](HWND hwnd) {
                  EXPECT_TRUE(testing::waitFor([] { return FakeShell::calls.size() >= 3; }));
                  EXPECT_THAT(FakeShell::calls,
                              ElementsAre(L"add refused", L"add", title(Notice::kCannotRead)));
                  EXPECT_THAT(calls(), ::testing::Not(Contains(HasSubstr("_create "))));
                  ::CloseHandle(held);
                  EXPECT_TRUE(testing::waitFor([&] { return FakeShell::calls.size() >= 4; }));
                  EXPECT_EQ(FakeShell::calls.back(), title(Notice::kReadAgain));
                  EXPECT_THAT(calls(), Contains(HasSubstr("_create ")));
                  EXPECT_EQ(stored("Husen1", "Text"), "kept");
                  ::EndDialog(hwnd, kEndedByTest);
              }});
    EXPECT_EQ(FakeShell::calls.back(), L"delete");
}

TEST_F(HostWindowTest, TheIconIsAddedWhileTheNotesAreMadeAndLandsBeforeTheyShow) {
    testing::writeFileBytes(ini, "[Husen1]\r\nID=0\r\nText=one\r\n[Husen2]\r\nID=1\r\n");
    FakeShell::calls.clear();
    // The shell answers only once a note is being made: a start that waited for the answer
    // would make none before the deadline.
    bool madeMeanwhile = false;
    std::vector<std::string> madeBeforeAnswer;
    FakeShell::onAdd = [&] {
        madeMeanwhile = testing::waitFor([&] { return callsNamed(calls(), "_create ") > 0; });
        madeBeforeAnswer = calls();
    };
    CHostDlg host(testing::Wide(folder.path()), testing::Wide(ini), nullptr, &FakeShell::notify);
    RunDialog(host, {[&](HWND hwnd) { ::EndDialog(hwnd, kEndedByTest); }});
    FakeShell::onAdd = nullptr;

    EXPECT_TRUE(madeMeanwhile);
    EXPECT_THAT(FakeShell::calls, ElementsAre(L"add", L"delete"));
    // Answered under the start's draw lock: nothing was on screen yet.
    EXPECT_GT(callsNamed(madeBeforeAnswer, "_lock_draw"),
              callsNamed(madeBeforeAnswer, "_unlock_draw"));
    EXPECT_EQ(callsNamed(calls(), "_create "), 2);
}

TEST_F(HostWindowTest, ANoteKeyHeldByAnotherProgramIsSaidOnceAndLeftOnInTheFile) {
    testing::writeFileBytes(ini, "[System]\r\nHotKey=On\r\n");
    ASSERT_TRUE(::RegisterHotKey(nullptr, 1, MOD_CONTROL | MOD_ALT | MOD_NOREPEAT, 'Y'));
    FakeShell::calls.clear();
    MenuWatch watch({VK_ESCAPE});
    CHostDlg host(testing::Wide(folder.path()), testing::Wide(ini), nullptr, &FakeShell::notify);
    RunDialog(host, {[&](HWND hwnd) {
                  trayMenuNow(hwnd);
                  ::EndDialog(hwnd, kEndedByTest);
              }});
    ::UnregisterHotKey(nullptr, 1);
    EXPECT_THAT(
        FakeShell::calls,
        ElementsAre(L"add", L"balloon " + noticeText(Notice::kHotKeyTaken, L"").title, L"delete"));
    ASSERT_EQ(watch.menus.size(), 1u);
    EXPECT_EQ(watch.menus[0][10], item(kHotKey));  // shown off on this PC
    EXPECT_EQ(stored("System", "HotKey"), "On");
}

TEST_F(HostWindowTest, LogOffTriesOnceSilentlyAndFreesTheLibraryOnlyOnTheWayOut) {
    testing::writeFileBytes(ini, "[Husen1]\r\nID=0\r\n");
    CHostDlg host(testing::Wide(folder.path()), testing::Wide(ini), nullptr);
    std::string before;
    RunDialog(host, {[&](HWND hwnd) {
                  before = testing::readFileBytes(ini);
                  EXPECT_EQ(::SendMessageA(hwnd, WM_QUERYENDSESSION, 0, 0), TRUE);
                  ::SendMessageA(hwnd, WM_ENDSESSION, FALSE, 0);
                  EXPECT_TRUE(trayIconExists(hwnd)) << "a cancelled log-off changes nothing";
                  ::SendMessageA(hwnd, WM_ENDSESSION, TRUE, 0);
                  EXPECT_FALSE(trayIconExists(hwnd));
                  // Its code may be on the stack here (a dialog opened from its message).
                  EXPECT_THAT(calls(), ::testing::Not(Contains("_unload")));
              }});
    MSG quit;
    while (::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    const auto log = calls();
    EXPECT_EQ(log.back(), "_unload") << "released once the run has ended";
    EXPECT_EQ(std::count(log.begin(), log.end(), "_unload"), 1);
    EXPECT_EQ(testing::readFileBytes(ini), before) << "nothing held, nothing written";
}

TEST_F(HostWindowTest, QuitEndsTheRunAndReleasesBitmapsThenTheLibrary) {
    testing::writeFileBytes(ini, "[Husen1]\r\nID=0\r\n[Husen5]\r\nID=3\r\nText=x\r\n");
    MenuWatch watch({'q'});
    CHostDlg host(testing::Wide(folder.path()), testing::Wide(ini), nullptr);
    std::string before;
    const INT_PTR result = RunDialog(host, {[&](HWND hwnd) {
                                         before = testing::readFileBytes(ini);
                                         trayRightClick(hwnd);
                                     }});
    EXPECT_NE(result, kEndedByTest);
    const auto log = calls();
    ASSERT_GE(log.size(), 3u);
    EXPECT_THAT(std::vector<std::string>(log.end() - 3, log.end()),
                ElementsAre("_delete_bitmap 4097", "_delete_bitmap 4098", "_unload"));
    EXPECT_EQ(testing::readFileBytes(ini), before);
    EXPECT_THAT(before, HasSubstr("ID=1"));
}

}  // namespace
}  // namespace yorimemo
