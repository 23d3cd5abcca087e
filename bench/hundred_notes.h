#pragma once
// A note table with 100 notes in use, as the benchmarks load and save it.

#include <string>

#include "notes/note_table.h"

namespace yorimemo::bench {

inline NoteTable hundredNotes() {
    NoteTable table;
    for (int i = 0; i < kSlotCount; ++i) {
        NoteSlot& note = table.slots[static_cast<std::size_t>(i)];
        note.moteId = i;
        note.priority = (i * 37) % kSlotCount;
        note.x = 10 * i;
        note.y = 5 * i;
        note.width = 300;
        note.color = static_cast<NoteColor>(i % 3);
        note.fontName = "\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E";
        note.fontSize = 9;
        note.text = "Note " + std::to_string(i + 1) + "\r\nsecond line\r\nthird line";
        note.textRed = i % 2;
    }
    return table;
}

// What the start-up redraw does before saving: every note gets a new mote id.
inline void renumber(NoteTable& table, int round) {
    for (int i = 0; i < kSlotCount; ++i) {
        table.slots[static_cast<std::size_t>(i)].moteId = 1000 * (round + 1) + i;
    }
}

}  // namespace yorimemo::bench
