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
// the old bitmap after. Without a library `_create` no mote id comes back: a note that must stay
// in use then keeps a placeholder id (its slot index, distinct from any other placeholder), and
// any other note stays free.
void renderNote(MoteLibrary& library, NoteTable& table, int slot, std::int32_t priority,
                bool stayInUse);

}  // namespace yorimemo
