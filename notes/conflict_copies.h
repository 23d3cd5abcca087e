#pragma once
// Copies of the note file that sync clients leave beside it when both PCs changed it before one
// change was carried over, and how their notes come home.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "notes/local_time.h"
#include "notes/note_table.h"

namespace yorimemo {

// Whether `name` (a file name without its folder, UTF-8) is a conflict copy of the note file
// `noteFileName`, compared ignoring case as Windows compares names. For "yorimemo.ini":
//   "yorimemo (NAME's conflicted copy 2026-12-07).ini", also with " (1)" and so on;
//   "yorimemo (conflicted copy 2026-12-07 093612).ini", also with a user name before the date;
//   "yorimemo.sync-conflict-20261207-093612-ABCDEFG.ini".
bool isConflictCopyName(std::string_view noteFileName, std::string_view name);

// Converts a text of the copy's encoding into the table's; nothing when the table's encoding
// cannot hold it.
using RecodeText = std::function<std::optional<std::string>(std::string_view text)>;

struct CopyMerge {
    enum Outcome { kMerged, kNoRoom, kNotStorable };
    Outcome outcome = kMerged;
    std::vector<int> added;  // slots of the table that received a note of the copy
};

// Adds to the table every note of the copy whose text is not in the table already (line breaks
// compared whatever their form) and not empty, into free slots, its stored fields kept and in
// front of the other notes in the order it had. The added notes have no card yet. All or nothing:
// when the table has too few free slots, or a text or font name cannot be stored in the table's
// encoding, the table is left as it was. `recode` is used only when the encodings differ.
// `erasedTexts` (in the table's encoding) count as present: an erased note stays erased.
CopyMerge mergeConflictCopy(NoteTable& table, const NoteTable& copy, const RecodeText& recode,
                            const std::vector<std::string>& erasedTexts = {});

// Where a note that has no free slot is kept: beside the note file, its name with "-kept-" and
// the time, as "C:\yorimemo\yorimemo-kept-20261207-093612.ini" for "C:\yorimemo\yorimemo.ini".
std::string keptNoteFileName(std::string_view notePath, const LocalTime& time);

}  // namespace yorimemo
