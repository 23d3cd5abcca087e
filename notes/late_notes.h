#pragma once
// Notes made while the settings file could not be read, and where they go once it has been read:
// into the file's free slots, never over a note that was stored there.

#include <vector>

#include "notes/note_table.h"

namespace yorimemo {

struct LateNotes {
    std::vector<int> placed;         // slots of `read` that received a note
    std::vector<NoteSlot> unplaced;  // no free slot was left for these
};

// Moves the notes in use in `shown` into the first free slots of `read`, oldest first, each given
// the next priority of `read`, so they lie in front of every stored note in the order they had.
LateNotes placeLateNotes(NoteTable& read, const NoteTable& shown);

}  // namespace yorimemo
