#pragma once
// The erased notes that can be brought back, newest first: a view of the erased notes the note
// file keeps (SettingsFile::erasedNotes), and, for this run only, notes that left the file with
// no erased section for them (erased elsewhere by an older program, or here before the file
// could be read).

#include <array>
#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "notes/erased_sections.h"
#include "notes/note_merge.h"
#include "notes/note_table.h"
#include "notes/settings_file.h"

namespace yorimemo {

class ErasedNotes {
public:
    static constexpr std::size_t kCapacity = kErasedKept;
    // A note's text or font name from one encoding into another.
    using Recode =
        std::function<std::string(std::string_view bytes, TextEncoding from, TextEncoding to)>;

    explicit ErasedNotes(const SettingsFile& file) : file_(file) {}

    // Keeps a note for this run; beyond kCapacity the oldest is forgotten.
    void remember(int slot, const NoteSlot& note, TextEncoding encoding, const LocalTime& now);
    // A note that left the file: kept for this run unless the file keeps it erased.
    void vanished(int slot, const NoteSlot& note, TextEncoding encoding, const LocalTime& now);

    // The note an undo brings back; nothing when none is kept.
    std::optional<ErasedNote> newest() const;
    // Where it would come back: its old slot when free, else the first free slot; -1 when
    // nothing is kept or every slot is in use.
    int returnSlot(const NoteTable& table) const;

    struct BroughtBack {
        int slot = -1;
        std::string section;  // the file's erased section to remove once the note is saved
    };
    // Puts the newest into its return slot, in use under its stored ID (so that it is saved as a
    // note even when no card can be made), in the table's encoding and with the next priority,
    // so that it comes back in front. The slot keeps its bitmap for the renderer to release. It
    // leaves the list here; a note of the file stays linked to its section until the write that
    // lands the note removes it (landed, or a merge's droppedErased). slot -1: nothing changed.
    BroughtBack bringBack(NoteTable& table, const Recode& recode);

    // The erased section linked to the note brought back into `slot`, now unlinked: it is to be
    // removed with the note's write. Empty when none.
    std::string landed(int slot);
    // The file's erased notes for a merge, texts in `encoding`, with the notes brought back and
    // not yet written linked to their slots.
    std::vector<ErasedCopy> forMerge(TextEncoding encoding, const Recode& recode) const;
    // A merge was written (or a note brought back was erased again before its write): every note
    // brought back has landed or is gone, and nothing stays linked.
    void unlinkAll() { returning_.fill({}); }

private:
    const SettingsFile& file_;
    bool returning(const std::string& section) const;

    std::deque<ErasedNote> memory_;  // newest first
    // Per slot, the erased section of the note an undo brought back there, not yet written.
    std::array<std::string, kSlotCount> returning_;
};

}  // namespace yorimemo
