#pragma once
// The program's icon in the notification area: the user's only way in, so it is added again until
// the shell takes it (a start at log-on can come before the shell is ready) and whenever the shell
// restarts. It is also where the user is told things without being stopped: balloons, which wait
// until the icon exists.

#include <windows.h>
// The notification-area declarations need windows.h first.
#include <shellapi.h>

#include <optional>
#include <string>

#include "platform/handles_win32.h"

namespace yorimemo {

class TrayIcon {
public:
    using ShellNotify = BOOL(WINAPI*)(DWORD message, PNOTIFYICONDATAW data);

    // `shell` stands in for Shell_NotifyIconW (tests record and refuse calls).
    explicit TrayIcon(ShellNotify shell = &::Shell_NotifyIconW) : shell_(shell) {}
    ~TrayIcon() { remove(); }
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Describes the icon; it is not shown before add().
    void describe(HWND owner, UINT id, UINT callbackMessage, Icon image, const wchar_t* tip);
    // True when the shell has the icon now; a waiting balloon then shows.
    bool add();
    // The same add on a thread of its own: the shell answers from another process, and the start
    // goes on meanwhile. finishAdd() waits for the answer and says what add() would have; every
    // other call waits for it first. Where no thread can be made, the add is made at once.
    void beginAdd();
    bool finishAdd();
    bool added() {
        finishAdd();
        return added_;
    }
    // Whether add() is worth calling again: described, not removed, not yet taken by the shell.
    bool wanted() { return wanted_ && !added(); }
    void remove();
    // The shell restarted and no longer shows the icon; add() brings it back.
    void forget() {
        finishAdd();
        added_ = false;
    }
    // Shows at once, or as soon as the icon exists; a newer one replaces one still waiting.
    void showBalloon(const std::wstring& title, const std::wstring& text, bool warning);

private:
    bool send(DWORD message, const NOTIFYICONDATAW& data);
    static DWORD WINAPI runAdd(void* self);
    // The shell's answer is in: the icon's state follows it.
    bool landed(bool taken);

    ShellNotify shell_;
    NOTIFYICONDATAW data_{};
    Icon image_;
    bool wanted_ = false;
    bool added_ = false;
    // The thread of a begun add and the answer it leaves; nothing else is touched by it.
    KernelHandle adding_;
    NOTIFYICONDATAW addData_{};
    BOOL addAnswer_ = FALSE;
    struct Balloon {
        std::wstring title;
        std::wstring text;
        bool warning;
    };
    std::optional<Balloon> waiting_;
};

}  // namespace yorimemo
