#include "host/erased_notes.h"

#include <utility>

namespace yorimemo {

void ErasedNotes::remember(int slot, const NoteSlot& note) {
    notes_.push_front({slot, note});
    if (notes_.size() > kCapacity) notes_.pop_back();
}

int ErasedNotes::returnSlot(const NoteTable& table) const {
    if (notes_.empty()) return -1;
    const int old = notes_.front().slot;
    if (old >= 0 && old < kSlotCount && !table.slots[old].inUse()) return old;
    return table.firstFreeSlot();
}

int ErasedNotes::bringBack(NoteTable& table) {
    const int slot = returnSlot(table);
    if (slot < 0) return -1;
    NoteSlot erased = std::move(notes_.front().note);
    notes_.pop_front();
    NoteSlot& note = table.slots[slot];
    note.x = erased.x;
    note.y = erased.y;
    note.width = erased.width;
    note.color = erased.color;
    note.fontName = std::move(erased.fontName);
    note.fontSize = erased.fontSize;
    note.text = std::move(erased.text);
    note.textRed = erased.textRed;
    note.priority = table.takeNextPriority();
    return slot;
}

}  // namespace yorimemo
