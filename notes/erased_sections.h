#pragma once
// Erased notes kept in the note file itself, each in a section of its own named "Erased" and a
// stamp, so that an erase can be taken back after a restart and on another PC sharing the file.
// Programs that read only System and Husen1..Husen100 never look at them.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "notes/local_time.h"
#include "notes/note_table.h"
#include "notes/profile_document.h"

namespace yorimemo {

// The newest this many are kept, none older than this many days.
inline constexpr std::size_t kErasedKept = 10;
inline constexpr int kErasedDays = 30;

struct ErasedNote {
    std::string section;   // its section in the file; empty: known to this run only
    std::string erasedOn;  // "2026-12-07 09:36:12", local time
    int slot = -1;         // the slot it was erased from; -1 when unknown
    NoteSlot note;         // its keys as stored, ID included
    TextEncoding encoding = TextEncoding::kShiftJis;  // of its text and font name
};

// Whether a section name is one of an erased note ("Erased" first, ASCII case ignored).
bool isErasedSection(std::string_view name);
// "Erased20261207093612345a3f": the local time to the millisecond, then four hex digits of
// `random`; unique across PCs unless two erase within the same millisecond and draw alike.
std::string erasedSectionName(const LocalTime& time, unsigned random);
// "2026-12-07 09:36:12".
std::string erasedOnText(const LocalTime& time);

// Every erased note of the document, newest first by ErasedOn (one that cannot be read counts as
// `now`), then by section name; only those the next write keeps (see keptErasedNotes).
std::vector<ErasedNote> readErasedNotes(const ProfileDocument& document, const LocalTime& now);
// Sorts newest first and drops what a write drops: all but the newest ten, and those erased more
// than 30 days before `now`.
std::vector<ErasedNote> keptErasedNotes(std::vector<ErasedNote> notes, const LocalTime& now);

// Moves the note section of `slot` (0-based) whole into the section `erased`, with ErasedOn and
// Slot (1-based) added, in one change of the document. False, changing nothing, when the
// document holds no note in that slot.
bool moveToErased(ProfileDocument& document, int slot, std::string_view erased,
                  std::string_view erasedOn);
// Removes the erased sections that keptErasedNotes would drop.
void dropExpiredErased(ProfileDocument& document, const LocalTime& now);

}  // namespace yorimemo
