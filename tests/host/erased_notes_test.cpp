#include "host/erased_notes.h"

#include <gtest/gtest.h>

#include <string>

namespace yorimemo {
namespace {

NoteSlot noteWithText(const std::string& text) {
    NoteSlot note;
    note.moteId = 7;
    note.text = text;
    return note;
}

TEST(ErasedNotesTest, TheLastErasedComesBackFirstAndOnlyTenAreKept) {
    ErasedNotes erased;
    NoteTable table;
    for (int i = 0; i < 12; ++i) erased.remember(i, noteWithText("n" + std::to_string(i)));
    EXPECT_EQ(erased.size(), ErasedNotes::kCapacity);
    for (int i = 11; i >= 2; --i) {
        const int slot = erased.bringBack(table);
        ASSERT_EQ(slot, i) << "its old slot, free here";
        EXPECT_EQ(table.slots[slot].text, "n" + std::to_string(i));
        table.slots[slot].moteId = 0;  // drawn
    }
    EXPECT_EQ(erased.returnSlot(table), -1);
    EXPECT_EQ(erased.bringBack(table), -1);
}

TEST(ErasedNotesTest, ATakenOldSlotSendsTheNoteToTheFirstFreeAndAFullTableKeepsIt) {
    ErasedNotes erased;
    NoteTable table;
    erased.remember(4, noteWithText("back"));
    for (const int used : {0, 1, 4}) table.slots[used].moteId = used;
    EXPECT_EQ(erased.returnSlot(table), 2);

    for (NoteSlot& note : table.slots) note.moteId = 1;
    EXPECT_EQ(erased.bringBack(table), -1);
    EXPECT_EQ(erased.size(), 1u) << "still there for when a slot is free again";
    table.slots[99].moteId = -1;
    EXPECT_EQ(erased.bringBack(table), 99);
    EXPECT_EQ(table.slots[99].text, "back");
}

// Every field is checked end to end in the note host's test; here what the slot keeps.
TEST(ErasedNotesTest, TheNoteComesBackInFrontAndTheSlotStaysFreeUntilDrawn) {
    NoteSlot note = noteWithText("a\r\nb");
    note.bitmap = 11;
    note.hasCard = true;
    ErasedNotes erased;
    erased.remember(6, note);

    NoteTable table;
    table.nextPriority = 30;
    table.slots[6].bitmap = 99;  // the erased card's bitmap, still the library's
    ASSERT_EQ(erased.bringBack(table), 6);
    const NoteSlot& back = table.slots[6];
    EXPECT_EQ(back.text, "a\r\nb");
    EXPECT_EQ(back.priority, 30);
    EXPECT_EQ(table.nextPriority, 31);
    EXPECT_FALSE(back.inUse());
    EXPECT_FALSE(back.hasCard);
    EXPECT_EQ(back.bitmap, 99) << "left for the renderer to release";
}

}  // namespace
}  // namespace yorimemo
