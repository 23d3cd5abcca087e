#pragma once
// Turns one note slot into the library's floating image: a card in the note's colour with a black
// top row and the text wrapped inside fixed margins, as tall as the text needs.

#include <cstdint>

#include "mote/mote_library.h"
#include "notes/note_table.h"

namespace yorimemo {

struct NoteColors {
    std::uint32_t fill;  // 0x00RRGGBB
    std::uint32_t text;
};

NoteColors noteColors(NoteColor color, std::int32_t textRed);

// Rebuilds the slot's mote, bitmap and surface; the old mote goes before the new one is created,
// the old bitmap after. When the library makes no card (no `_create`, or a negative answer) a
// note that must stay in use keeps the id it had, so the file keeps it in use, and is marked as
// having no card; any other note stays free. Either way the next rebuild tries again.
// The card is drawn for `dpi` pixels per inch, 0: for the monitor it goes on.
void renderNote(MoteLibrary& library, NoteTable& table, int slot, std::int32_t priority,
                bool stayInUse, std::int32_t dpi = 0);

}  // namespace yorimemo
