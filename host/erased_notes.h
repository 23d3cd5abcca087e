#pragma once
// The notes erased while the program runs, last first, so that an erase can be taken back. Kept
// in memory only: a new start remembers none.

#include <cstddef>
#include <deque>

#include "notes/note_table.h"

namespace yorimemo {

class ErasedNotes {
public:
    static constexpr std::size_t kCapacity = 10;

    // Keeps the note's fields and the slot it held; beyond kCapacity the oldest is forgotten.
    void remember(int slot, const NoteSlot& note);
    std::size_t size() const { return notes_.size(); }

    // Where the last erased note would come back: its old slot when free, else the first free
    // slot; -1 when nothing is kept or every slot is in use.
    int returnSlot(const NoteTable& table) const;

    // Takes the last erased note off the list and puts its fields into its return slot, with the
    // next priority so that it comes back in front. The slot stays free until it is drawn, and
    // keeps its bitmap for the renderer to release. Returns the slot, or -1 (nothing changed).
    int bringBack(NoteTable& table);

private:
    struct Erased {
        int slot;
        NoteSlot note;
    };
    std::deque<Erased> notes_;  // last erased first
};

}  // namespace yorimemo
