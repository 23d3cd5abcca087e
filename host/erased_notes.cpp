#include "host/erased_notes.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace yorimemo {

void ErasedNotes::remember(int slot, const NoteSlot& note, TextEncoding encoding,
                           const LocalTime& now) {
    ErasedNote erased{{}, erasedOnText(now), slot, note, encoding};
    erased.note.hasCard = false;
    erased.note.bitmap = 0;
    erased.note.surface = 0;
    memory_.push_front(std::move(erased));
    if (memory_.size() > kCapacity) memory_.pop_back();
}

void ErasedNotes::vanished(int slot, const NoteSlot& note, TextEncoding encoding,
                           const LocalTime& now) {
    const std::vector<ErasedNote> kept = file_.erasedNotes();
    const bool inFile = std::any_of(kept.begin(), kept.end(), [&](const ErasedNote& erased) {
        return erased.slot == slot && erased.note.text == note.text;
    });
    if (!inFile) remember(slot, note, encoding, now);
}

std::optional<ErasedNote> ErasedNotes::newest() const {
    std::vector<ErasedNote> kept = file_.erasedNotes();
    if (kept.empty() && memory_.empty()) return std::nullopt;
    if (kept.empty()) return memory_.front();
    if (memory_.empty() || kept.front().erasedOn > memory_.front().erasedOn) {
        return std::move(kept.front());
    }
    return memory_.front();
}

int ErasedNotes::returnSlot(const NoteTable& table) const {
    const std::optional<ErasedNote> erased = newest();
    if (!erased) return -1;
    const int old = erased->slot;
    if (old >= 0 && old < kSlotCount && !table.slots[old].inUse()) return old;
    return table.firstFreeSlot();
}

ErasedNotes::BroughtBack ErasedNotes::bringBack(NoteTable& table, const Recode& recode) {
    const int slot = returnSlot(table);
    if (slot < 0) return {};
    ErasedNote erased = *newest();
    if (erased.section.empty()) memory_.pop_front();
    if (erased.encoding != table.encoding) {
        erased.note.text = recode(erased.note.text, erased.encoding, table.encoding);
        erased.note.fontName = recode(erased.note.fontName, erased.encoding, table.encoding);
    }
    NoteSlot& note = table.slots[slot];
    note.moteId = erased.note.moteId >= 0 ? erased.note.moteId : 0;
    note.x = erased.note.x;
    note.y = erased.note.y;
    note.width = erased.note.width;
    note.color = erased.note.color;
    note.fontName = std::move(erased.note.fontName);
    note.fontSize = erased.note.fontSize;
    note.text = std::move(erased.note.text);
    note.textRed = erased.note.textRed;
    note.hasCard = false;
    note.priority = table.takeNextPriority();
    return {slot, std::move(erased.section)};
}

}  // namespace yorimemo
