#include "notes/late_notes.h"

#include <algorithm>

namespace yorimemo {

LateNotes placeLateNotes(NoteTable& read, const NoteTable& shown) {
    std::vector<NoteSlot> late;
    for (const NoteSlot& note : shown.slots) {
        if (note.inUse()) late.push_back(note);
    }
    std::stable_sort(late.begin(), late.end(),
                     [](const NoteSlot& a, const NoteSlot& b) { return a.priority < b.priority; });

    LateNotes result;
    for (NoteSlot& note : late) {
        const int slot = read.firstFreeSlot();
        if (slot < 0) {
            result.unplaced.push_back(std::move(note));
            continue;
        }
        note.priority = read.takeNextPriority();
        read.slots[static_cast<std::size_t>(slot)] = std::move(note);
        result.placed.push_back(slot);
    }
    return result;
}

}  // namespace yorimemo
