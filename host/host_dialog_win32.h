#pragma once
// The hidden host window: a tiny tool window parked off-screen whose modal run is the program's
// one message loop. It owns the notes (through NoteHost), the tray icon and the timer, and is
// the window system's side of every menu and dialog the host opens.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/modal_dialog.h"
#include "host/folder_watch_win32.h"
#include "host/host_ui.h"
#include "host/note_host.h"
#include "host/tray_icon_win32.h"
#include "platform/handles_win32.h"

namespace yorimemo {

inline constexpr UINT kTrayNotifyMessage = WM_USER + 100;  // 0x464
inline constexpr UINT kTrayIconId = 0x79726D38;            // "yrm8", also the timer's id
inline constexpr UINT_PTR kTrayRetryTimerId = 0x79726D39;  // runs only while the icon is missing
inline constexpr UINT kFolderChangeMessage = WM_USER + 101;
inline constexpr UINT_PTR kSettleTimerId = 0x79726D3A;  // runs only after the folder changed
inline constexpr int kNoteHotKeyId = 0x7972;            // "yr"; Ctrl+Alt+Y

class CHostDlg : public CModalDialog, private HostUi {
public:
    // `shell` stands in for Shell_NotifyIconW (tests refuse and record the tray calls).
    CHostDlg(std::wstring programDirectory, std::wstring iniPath, HWND parent,
             TrayIcon::ShellNotify shell = &::Shell_NotifyIconW);
    ~CHostDlg() override;

    NoteHost& host() { return host_; }
    NoteTable& table() { return host_.table(); }
    const NoteTable& table() const { return host_.table(); }
    // Without a trailing backslash.

protected:
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;
    // Enter, Esc, IDOK, IDCANCEL and the close request never end the host.
    void OnOK() override {}
    void OnCancel() override {}

private:
    std::unique_ptr<OpenMenu> createMenu(const MenuModel& model) override;
    bool runEditDialog(int slot) override;
    bool runEraseDialog(int slot) override;
    bool confirmQuitUnsaved() override;
    void showNotice(Notice notice, const NoticeDetail& detail = {}) override;
    std::vector<WorkArea> workAreas() override;
    std::int32_t systemDpi() override;
    std::string recodeText(std::string_view bytes, TextEncoding from, TextEncoding to) override;
    LocalTime localTime() override;
    std::string computerName() override;
    bool autostartEnabled() override;
    void setAutostart(bool enabled) override;
    bool holdHotKey(bool hold) override;
    WorkArea workAreaAtPointer() override;
    void postTrayNotify(std::int32_t id, std::int32_t mouseMessage) override;
    void postNull() override;
    void postQuit() override;

    void addTrayIcon();
    // Until the shell takes the icon, a timer asks again.
    void onTrayAnswer(bool added);
    // The folder changed: the note file is read once its size and time stay the same.
    void onFolderChange();
    void onSettleTimer();
    void paintMinimised();
    void stopTimers();
    // Timer, library and tray icon; a second call finds nothing left to release.
    void releaseRunningState();
    // The session ends: the held changes get one silent try and the program winds down. The
    // library stays loaded: its code may be on the stack (a dialog opened from its message).
    void endSession();

    std::wstring programDirectory_;
    std::wstring iniPath_;
    NoteHost host_;
    IconRef windowIcon_ = nullptr;  // the shared resource icon
    TrayIcon tray_;
    UINT_PTR timerId_ = 0;
    UINT_PTR trayRetryTimerId_ = 0;
    UINT taskbarCreatedMessage_ = 0;
    FolderWatch watch_;
    FileStamp settling_;  // the note file as last seen while it settles
    FileStamp polled_;    // without notifications: the note file as last compared
    UINT_PTR settleTimerId_ = 0;
    unsigned pollTicks_ = 0;
};

}  // namespace yorimemo
