#pragma once
// What the host's decisions need from the window system: menus, dialogs, posted messages and the
// start at log-on.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/menu_model.h"
#include "notes/local_time.h"
#include "notes/note_table.h"

namespace yorimemo {

// What the user must be told, once, without being stopped: a tray balloon.
enum class Notice {
    kCannotRead,    // the settings file exists but cannot be read; nothing is written to it
    kReadAgain,     // it could be read after all: the stored notes are shown
    kCannotSave,    // a change did not reach the file; it is tried again
    kSavedAgain,    // every held change has reached the file
    kNoFreeSlot,    // a note made meanwhile found all 100 places of the file taken
    kWrittenBack,   // the file had vanished: every note shown was written back
    kCopiesMerged,  // notes came home from sync clients' copies of the file (a count)
    kCopyLeft,      // a copy could not be merged and is left as it is (its path)
    kNoteKept,      // an arrived text found no free slot and went into a file of its own (its path)
    kBackupFailed,  // today's backup of the file could not be made (the backup folder's path)
    kHotKeyTaken,   // another program holds the note shortcut
};

// What some notices name besides the settings file.
struct NoticeDetail {
    int count = 0;
    std::string path;  // UTF-8
};

// A popup menu that exists until this object is destroyed.
class OpenMenu {
public:
    virtual ~OpenMenu() = default;
    // Shows the menu at the pointer with the host in the foreground; the chosen command, or
    // kNoCommand when the menu was dismissed.
    virtual MenuCommand track() = 0;
};

class HostUi {
public:
    virtual ~HostUi() = default;
    // Null when the menu cannot be created.
    virtual std::unique_ptr<OpenMenu> createMenu(const MenuModel& model) = 0;
    // Both run modally and return true when the user confirmed.
    virtual bool runEditDialog(int slot) = 0;
    virtual bool runEraseDialog(int slot) = 0;
    // Quitting with changes that could not be saved: true when the user quits anyway.
    virtual bool confirmQuitUnsaved() = 0;
    virtual void showNotice(Notice notice, const NoticeDetail& detail = {}) = 0;
    // The work areas of the monitors now, in screen coordinates, with their pixels per inch.
    virtual std::vector<WorkArea> workAreas() = 0;
    // The pixels per inch that stored places are shown at.
    virtual std::int32_t systemDpi() = 0;
    // A note's text or font name in another encoding of the file.
    virtual std::string recodeText(std::string_view bytes, TextEncoding from, TextEncoding to) = 0;
    // The local time now, for the names of files the program makes.
    virtual LocalTime localTime() = 0;
    // This computer's name (UTF-8), for the names of its backups.
    virtual std::string computerName() = 0;
    // Whether the system starts this program at log-on, and switching that.
    virtual bool autostartEnabled() = 0;
    virtual void setAutostart(bool enabled) = 0;
    // Takes (true) or gives up (false) the note shortcut: false when another program holds it.
    virtual bool holdHotKey(bool hold) = 0;
    // The work area of the monitor under the mouse pointer.
    virtual WorkArea workAreaAtPointer() = 0;
    virtual void postTrayNotify(std::int32_t id, std::int32_t mouseMessage) = 0;
    virtual void postNull() = 0;
    virtual void postQuit() = 0;
};

}  // namespace yorimemo
