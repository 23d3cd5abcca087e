#pragma once
// Brings what the program holds in line with what the note file holds now, when others (another
// PC through a synced folder) may have changed the file since the program last read it. A three-way
// merge, note by note and aspect by aspect: what the file held when last read (or last written) is
// the common ancestor, what the program holds is "here", the file now is "elsewhere".

#include <bitset>
#include <cstdint>
#include <string>
#include <vector>

#include "notes/note_table.h"

namespace yorimemo {

using SlotSet = std::bitset<kSlotCount>;

// The parts of a note that can change on their own, each stored under its own keys.
enum NoteAspect : unsigned {
    kAspectText = 1u << 0,      // Text
    kAspectColor = 1u << 1,     // Type
    kAspectFont = 1u << 2,      // FontName, FontSize
    kAspectTextRed = 1u << 3,   // TextRed
    kAspectWidth = 1u << 4,     // Width
    kAspectPosition = 1u << 5,  // PosX, PosY
    kAspectStacking = 1u << 6,  // Priority: the card's place among the others changed
    kAspectPriority = 1u << 7,  // Priority: a new number for the same place (only on screen)
    kAspectsOfLook = kAspectText | kAspectColor | kAspectFont | kAspectTextRed | kAspectWidth,
};

// An erased note's section in the file (newest first in MergeInput::erased).
struct ErasedCopy {
    std::string section;
    int slot = -1;     // the slot it was erased from; -1 when unknown
    std::string text;  // in the live table's encoding
    // The live slot an undo brought it back into, not yet written; -1 when none.
    int broughtBackTo = -1;
};

struct MergeInput {
    // The file as the program last read or wrote it, ids and priorities as stored.
    const NoteTable* lastRead = nullptr;
    // The live table. Slots made here and not yet written are in `madeHere`; notes being dragged
    // or whose menu or dialog is open are in `busy`.
    const NoteTable* shown = nullptr;
    SlotSet madeHere;
    // Notes made here and written whole whose slot no read of the file has shown back yet: another
    // PC may have filled the same slot before our write reached it (see MergeResult::unconfirmed).
    SlotSet unconfirmed;
    SlotSet busy;
    // The file now, ids and priorities as stored; null when it is missing.
    const NoteTable* fileNow = nullptr;
    // The erased notes the file keeps, newest first.
    std::vector<ErasedCopy> erased;
};

// What one slot of the merged table means for the card on screen, against the live table.
struct SlotChange {
    enum Kind { kUnchanged, kAppear, kUpdate, kDisappear };
    Kind kind = kUnchanged;
    // Which NoteAspects differ from the live card. kUnchanged may carry kAspectPriority alone: the
    // card keeps its look and place, only the number it is stacked by is new.
    unsigned aspects = 0;
    // The live slot whose note (and card) now lies in this slot; -1 when it stayed or is new.
    int cameFrom = -1;
};

// What the merge writes for one slot; the file's other keys stay.
struct SlotWrite {
    enum Kind { kKeys, kWhole, kRemove };
    int slot = 0;
    Kind kind = kKeys;
    unsigned aspects = 0;  // kKeys: the keys of these NoteAspects
};

struct MergeResult {
    NoteTable table;  // to show: the live table's cards, settings and counters, merged notes
    std::vector<SlotChange> changes = std::vector<SlotChange>(kSlotCount);
    std::vector<SlotWrite> writes;  // in slot order
    bool floatingChanged = false;   // the merged flag differs from the live one
    bool writeFloating = false;
    bool hotKeyChanged = false;  // the merged shortcut setting differs from the live one
    bool writeHotKey = false;
    // The file was missing: every note in use is written whole, with System/Floating and the other
    // System keys as last read.
    bool wholeFile = false;
    // Arrived texts that collided with an edit here and found no free slot: each is to be kept in
    // a file of its own beside the note file (keptNoteFileName) and the user told.
    std::vector<NoteSlot> keptNotes;
    // Erased sections to remove in the same write: those of notes brought back here and now
    // written, and the copy another PC kept of a note it erased while the note was edited here
    // (the note is written back whole; a copy whose text is still the note's would come back
    // twice at an undo).
    std::vector<std::string> droppedErased;
    // Notes made here for which the file has no free slot: shown, not written.
    std::vector<NoteSlot> unplaced;
    // The notes made here that are still to be seen back: those written whole as made here by
    // this merge, and those of the input whose slot the file did not show as written.
    SlotSet unconfirmed;
    // The read would take away more than half of the notes shown: to be confirmed by a second read
    // before it is applied.
    bool needsConfirmation = false;
    // The next ancestor: the file as read, except that busy notes keep their old ancestor, so what
    // arrived for them is merged once they are free. `written` is the same once the writes landed.
    NoteTable read;
    NoteTable written;
};

MergeResult mergeNoteFile(const MergeInput& input);

}  // namespace yorimemo
