#pragma once
// The erased notes that can be brought back, newest first: a view of the erased notes the note
// file keeps (SettingsFile::erasedNotes), and, for this run only, notes that left the file with
// no erased section for them (erased elsewhere by an older program, or here before the file
// could be read).

#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "notes/erased_sections.h"
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
    // so that it comes back in front. The slot keeps its bitmap for the renderer to release. A
    // note kept for this run leaves the list here; one of the file leaves it with the write
    // that removes its section. slot -1: nothing changed.
    BroughtBack bringBack(NoteTable& table, const Recode& recode);

private:
    const SettingsFile& file_;
    std::deque<ErasedNote> memory_;  // newest first
};

}  // namespace yorimemo
