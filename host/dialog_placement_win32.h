#pragma once
// Moves a note's dialog to where it opens, using the dialog's real size.

#include <windows.h>

#include "notes/note_table.h"

namespace yorimemo {

void MoveDialogToNote(HWND dialog, const NoteTable& table, int slot);

}  // namespace yorimemo
