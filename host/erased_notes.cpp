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

bool ErasedNotes::returning(const std::string& section) const {
    return std::find(returning_.begin(), returning_.end(), section) != returning_.end();
}

std::optional<ErasedNote> ErasedNotes::newest() const {
    std::vector<ErasedNote> kept = file_.erasedNotes();
    // A note already back is not brought back twice while its write waits.
    kept.erase(std::remove_if(kept.begin(), kept.end(),
                              [this](const ErasedNote& note) { return returning(note.section); }),
               kept.end());
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
    returning_[static_cast<std::size_t>(slot)] = erased.section;
    return {slot, std::move(erased.section)};
}

std::string ErasedNotes::landed(int slot) {
    return std::exchange(returning_[static_cast<std::size_t>(slot)], {});
}

std::vector<ErasedCopy> ErasedNotes::forMerge(TextEncoding encoding, const Recode& recode) const {
    std::vector<ErasedCopy> copies;
    for (const ErasedNote& erased : file_.erasedNotes()) {
        copies.push_back({erased.section, erased.slot,
                          erased.encoding == encoding
                              ? erased.note.text
                              : recode(erased.note.text, erased.encoding, encoding)});
    }
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const std::string& section = returning_[static_cast<std::size_t>(slot)];
        if (section.empty()) continue;
        const auto found = std::find_if(copies.begin(), copies.end(), [&](const ErasedCopy& copy) {
            return copy.section == section;
        });
        if (found != copies.end()) {
            found->broughtBackTo = slot;
        } else {
            copies.push_back({section, -1, {}, slot});  // removed with the note all the same
        }
    }
    return copies;
}

}  // namespace yorimemo
