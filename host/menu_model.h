#pragma once
// What the tray menu and a note's menu hold: items in order, their texts and their check marks.
// The window system builds the real popup menu from this; every decision about it lives here.

#include <cstdint>
#include <string>
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
};

// The text of a command's item; "&" marks the access key.
const wchar_t* menuText(MenuCommand command);

struct MenuItem {
    MenuCommand command = kNoCommand;  // kNoCommand: a separator
    bool checked = false;
    bool greyed = false;  // shown but cannot be chosen

    bool isSeparator() const { return command == kNoCommand; }
};

struct MenuModel {
    std::vector<MenuItem> items;
};

// What the tray menu marks that the note table does not hold.
struct TrayMarks {
    bool notesHidden = false;
    bool canUndoErase = false;
    bool autostart = false;
};

MenuModel buildTrayMenu(const NoteTable& table, const TrayMarks& marks);
// A mote id that names no note still gives the note menu, without red or colour marks.
MenuModel buildNoteMenu(const NoteTable& table, std::int32_t moteId);

}  // namespace yorimemo
