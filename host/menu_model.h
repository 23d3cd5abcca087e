#pragma once
// What the tray menu and a note's menu hold: items in order, their texts and their check marks.
// The window system builds the real popup menu from this; every decision about it lives here.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "notes/note_table.h"

namespace yorimemo {

// Command ids double as the menu items' ids and as what the popup menu returns.
enum MenuCommand : std::int32_t {
    kNoCommand = 0,
    kQuit = 2,
    kCreateCyan = 16,
    kCreateMagenta = 17,
    kCreateYellow = 18,
    kEdit = 19,
    kRedText = 20,
    kColorCyan = 21,
    kColorMagenta = 22,
    kColorYellow = 23,
    kErase = 24,
    kAlwaysOnTop = 25,
    kHideAll = 26,
    kUndoErase = 27,
    kAutostart = 28,
    kNoteList = 29,  // names the list's submenu; never returned
    kHotKey = 30,
    // Choosing a note in the list: this plus the note's slot.
    kListedNoteFirst = 1000,
    kListedNoteLast = kListedNoteFirst + kSlotCount - 1,
};

// The text of a command's item; "&" marks the access key.
const wchar_t* menuText(MenuCommand command);

struct MenuItem {
    MenuItem() = default;
    MenuItem(MenuCommand command, bool checked = false, bool greyed = false)  // NOLINT
        : command(command), checked(checked), greyed(greyed) {}

    MenuCommand command = kNoCommand;  // kNoCommand: a separator
    bool checked = false;
    bool greyed = false;            // shown but cannot be chosen
    std::wstring label;             // in place of menuText(command), for items made from notes
    std::vector<MenuItem> submenu;  // kNoteList: the items it opens

    bool isSeparator() const { return command == kNoCommand; }
    const wchar_t* text() const { return label.empty() ? menuText(command) : label.c_str(); }
};

struct MenuModel {
    std::vector<MenuItem> items;
};

// What the tray menu marks that the note table does not hold.
struct TrayMarks {
    bool notesHidden = false;
    bool canUndoErase = false;
    bool autostart = false;
    bool hotKey = false;  // the shortcut is on and this PC holds it
    // A note's text in UTF-8; null when the file's text already is.
    std::function<std::string(std::string_view)> utf8Text;
};

// The list's label of a note's text (UTF-8): its first line, tabs as blanks, cut after 30
// characters with a "…", "&" doubled so it shows; an empty note reads "（空の付箋）".
std::wstring noteListLabel(std::string_view utf8Text);
// The slots of the notes in use, front first; equal priorities by slot.
std::vector<int> notesFrontFirst(const NoteTable& table);

MenuModel buildTrayMenu(const NoteTable& table, const TrayMarks& marks);
// A mote id that names no note still gives the note menu, without red or colour marks.
MenuModel buildNoteMenu(const NoteTable& table, std::int32_t moteId);

}  // namespace yorimemo
