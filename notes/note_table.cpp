#include "notes/note_table.h"

namespace yorimemo {

int NoteTable::findCard(std::int32_t moteId) const {
    for (int i = 0; i < kSlotCount; ++i) {
        if (slots[i].hasCard && slots[i].moteId == moteId) return i;
    }
    return -1;
}

int NoteTable::firstFreeSlot() const {
    for (int i = 0; i < kSlotCount; ++i) {
        if (!slots[i].inUse()) return i;
    }
    return -1;
}

std::int32_t NoteTable::takeNextPriority() {
    const std::int32_t taken = nextPriority;
    // Wraps instead of overflowing: a counter at the top of the range must not be undefined.
    nextPriority = static_cast<std::int32_t>(static_cast<std::uint32_t>(nextPriority) + 1u);
    return taken;
}

}  // namespace yorimemo
