#pragma once
// The note file's values as they stand in a document: what a start reads, what a later look at
// the file compares, and what a sync client's copy of the file holds.

#include "notes/note_table.h"
#include "notes/profile_document.h"

namespace yorimemo {

// "System" into the table's settings; a missing key gives its default, the font name in the
// table's encoding.
void readSystemSection(const ProfileDocument& document, NoteTable& table);

// Husen1..Husen100 into the slots, ids and priorities as stored (nothing is compacted), texts
// with their line breaks restored in the table's encoding. A slot whose ID is negative keeps its
// other fields.
void readNoteSections(const ProfileDocument& document, NoteTable& table);

// One note's keys from the section at `section` (-1: none, every key missing) into `slot`, as
// readNoteSections reads each slot.
void readNoteSection(const ProfileDocument& document, int section, TextEncoding encoding,
                     NoteSlot& slot);

// Both, into a fresh table in the document's encoding.
NoteTable readNoteFile(const ProfileDocument& document);

}  // namespace yorimemo
