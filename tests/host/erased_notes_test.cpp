#include "host/erased_notes.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

namespace yorimemo {
namespace {

NoteSlot noteWithText(const std::string& text) {
    NoteSlot note;
    note.moteId = 7;
    note.text = text;
    return note;
}

std::string recoded(std::string_view bytes, TextEncoding, TextEncoding) {
    return "recoded:" + std::string(bytes);
}

LocalTime at(int minute) {
    return {2026, 12, 7, 9, minute, 0};
}

class ErasedNotesTest : public ::testing::Test {
protected:
    testing::TempFolder folder_;
    std::string ini_ = folder_.path() + "/yorimemo.ini";
    SettingsFile file_{ini_};
    ErasedNotes erased_{file_};
};

TEST_F(ErasedNotesTest, TheNewestOfTheFileAndOfThisRunComesBackFirst) {
    testing::writeFileBytes(
        ini_,
        "[Erased20261207093000000aaaa]\r\nID=3\r\nText=from file\r\nErasedOn=2026-12-07 "
        "09:30:00\r\nSlot=5\r\n");
    file_.setClock([] { return at(40); });
    NoteTable table;
    ASSERT_TRUE(file_.load(table));
    erased_.remember(9, noteWithText("this run, earlier"), TextEncoding::kShiftJis, at(20));
    erased_.remember(8, noteWithText("this run, later"), TextEncoding::kShiftJis, at(35));

    auto back = erased_.bringBack(table, recoded);
    EXPECT_EQ(back.slot, 8);
    EXPECT_TRUE(back.section.empty());
    EXPECT_EQ(table.slots[8].text, "this run, later");
    EXPECT_TRUE(table.slots[8].inUse()) << "a note under its stored ID before any card";

    back = erased_.bringBack(table, recoded);
    EXPECT_EQ(back.slot, 4) << "Slot=5 is the fifth slot";
    EXPECT_EQ(back.section, "Erased20261207093000000aaaa") << "left for the write to remove";
    EXPECT_EQ(table.slots[4].moteId, 3);
    file_.dropErased(back.section);
    EXPECT_EQ(testing::readFileBytes(ini_), "");
    EXPECT_EQ(erased_.bringBack(table, recoded).slot, 9) << "the file's is gone with its section";
}

TEST_F(ErasedNotesTest, ATakenOldSlotSendsTheNoteToTheFirstFreeAndAFullTableKeepsIt) {
    NoteTable table;
    erased_.remember(4, noteWithText("back"), TextEncoding::kShiftJis, at(1));
    for (const int used : {0, 1, 4}) table.slots[used].moteId = used;
    EXPECT_EQ(erased_.returnSlot(table), 2);

    for (NoteSlot& note : table.slots) note.moteId = 1;
    EXPECT_EQ(erased_.bringBack(table, recoded).slot, -1);
    table.slots[99].moteId = -1;
    EXPECT_EQ(erased_.bringBack(table, recoded).slot, 99) << "still there for a free slot";
    EXPECT_EQ(table.slots[99].text, "back");
    EXPECT_EQ(erased_.returnSlot(table), -1);
}

// A file read late in UTF-8 after the note was erased from the Shift-JIS table.
TEST_F(ErasedNotesTest, TheNoteComesBackInTheTablesEncodingInFrontKeepingTheSlotsBitmap) {
    NoteSlot note = noteWithText("a\r\nb");
    note.fontName = "face";
    erased_.remember(6, note, TextEncoding::kShiftJis, at(1));

    NoteTable table;
    table.encoding = TextEncoding::kUtf8;
    table.nextPriority = 30;
    table.slots[6].bitmap = 99;  // the erased card's bitmap, still the library's
    ASSERT_EQ(erased_.bringBack(table, recoded).slot, 6);
    const NoteSlot& back = table.slots[6];
    EXPECT_EQ(back.text, "recoded:a\r\nb");
    EXPECT_EQ(back.fontName, "recoded:face");
    EXPECT_EQ(back.priority, 30);
    EXPECT_EQ(table.nextPriority, 31);
    EXPECT_FALSE(back.hasCard);
    EXPECT_EQ(back.bitmap, 99) << "left for the renderer to release";
}

}  // namespace
}  // namespace yorimemo
