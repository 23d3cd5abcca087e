#include "host/note_file_reconciler.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "host/note_host.h"
#include "tests/host/host_fixture.h"

namespace yorimemo {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

std::string section(int number, int id, int priority, int x, const std::string& text) {
    return "[Husen" + std::to_string(number) + "]\r\nID=" + std::to_string(id) +
           "\r\nPriority=" + std::to_string(priority) + "\r\nPosX=" + std::to_string(x) +
           "\r\nPosY=100\r\nText=" + text + "\r\n";
}

// Four notes; at start they get cards 0 to 3 in slot order.
const std::string kFourNotes = "[System]\r\nFloating=Off\r\n" + section(1, 5, 3, 10, "one") +
                               section(2, 6, 7, 20, "two") + section(3, 7, 9, 30, "three") +
                               section(4, 8, 12, 40, "four");

class ReconcilerTest : public testing::HostFixture {
protected:
    // Another PC's program, or a sync client, changes one key of the file.
    void setElsewhere(int slot, const char* key, const std::string& value) {
        ASSERT_TRUE(writeProfileString(iniPath_, "Husen" + std::to_string(slot + 1), key, value));
    }
    void eraseElsewhere(int slot) {
        ASSERT_TRUE(removeProfileSection(iniPath_, "Husen" + std::to_string(slot + 1)));
    }

    void drag(std::int32_t id, std::int32_t dx) {
        host_->onEventMessage("OnMoteLButtonDown\r\n" + std::to_string(id) + "\r\n0\r\n0\r\n");
        host_->onEventMessage("OnMoteMouseMove\r\n" + std::to_string(id) + "\r\n" +
                              std::to_string(dx) + "\r\n0\r\n");
        host_->onEventMessage("OnMoteLButtonUp\r\n" + std::to_string(id) + "\r\n0\r\n0\r\n");
    }
    int notesInUse() const {
        int count = 0;
        for (const NoteSlot& note : host_->table().slots) count += note.inUse() ? 1 : 0;
        return count;
    }
};

// One change made elsewhere to the note in slot 1 (card 1), and what the cards see of it.
struct ArrivedChange {
    const char* name;
    const char* key;  // null: the section is removed
    const char* value;
    std::vector<std::string> cardCalls;  // the calls naming a card, in order
};

class ArrivedChangeTest : public ReconcilerTest,
                          public ::testing::WithParamInterface<ArrivedChange> {};

TEST_P(ArrivedChangeTest, OnlyTheChangedCardIsTouchedAndNothingIsWritten) {
    start(kFourNotes);
    const ArrivedChange& change = GetParam();
    if (change.key == nullptr) {
        eraseElsewhere(1);
    } else {
        setElsewhere(1, change.key, change.value);
    }
    const std::string before = file();
    const int writes = files_.writes;
    host_->onFolderChange();

    std::vector<std::string> cardCalls;
    for (const std::string& call : library_->take()) {
        for (const char* name : {"_create ", "_delete ", "_move ", "_set_priority "}) {
            if (call.rfind(name, 0) == 0) cardCalls.push_back(call);
        }
    }
    EXPECT_EQ(cardCalls, change.cardCalls);
    EXPECT_EQ(files_.writes, writes) << "reading never writes";
    EXPECT_EQ(file(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ArrivedChangeTest,
    ::testing::Values(
        ArrivedChange{"Text", "Text", "two, edited", {"_delete 1", "_create 20 100 0 0 1"}},
        ArrivedChange{"Colour", "Type", "2", {"_delete 1", "_create 20 100 0 0 1"}},
        ArrivedChange{"Position", "PosX", "220", {"_move 1 200 0"}},
        ArrivedChange{"RaisedToTheFront", "Priority", "30", {"_set_priority 1 30"}},
        ArrivedChange{"RenumberedInTheSameOrder", "Priority", "2", {"_set_priority 1 2"}},
        ArrivedChange{"IdBetweenValuesInUse", "ID", "42", {}},
        ArrivedChange{"NegativeId", "ID", "-1", {"_delete 1"}},
        ArrivedChange{"SectionGone", nullptr, nullptr, {"_delete 1"}}),
    [](const ::testing::TestParamInfo<ArrivedChange>& info) { return info.param.name; });

TEST_F(ReconcilerTest, AFileChangedElsewhereIsFollowedAndAnEraseFromThereCanBeUndone) {
    start(kFourNotes);
    // Elsewhere: a new note, one edited, one erased, Floating switched on.
    setElsewhere(6, "ID", "3");
    setElsewhere(6, "Priority", "20");
    setElsewhere(6, "Text", "new there");
    setElsewhere(0, "Text", "one, edited");
    eraseElsewhere(2);
    ASSERT_TRUE(writeProfileString(iniPath_, "System", "Floating", "On"));
    host_->onFolderChange();

    const NoteTable& table = host_->table();
    EXPECT_EQ(table.slots[6].text, "new there");
    EXPECT_TRUE(table.slots[6].hasCard);
    EXPECT_EQ(table.slots[0].text, "one, edited");
    EXPECT_FALSE(table.slots[2].inUse());
    EXPECT_EQ(table.floating, 1);
    const std::vector<std::string> calls = library_->take();
    EXPECT_THAT(calls, Contains("_delete 2"));
    // Under one outer draw lock, so the cards change on screen together, and quietly: made by
    // the file, no card comes up over the user's window.
    ASSERT_GE(calls.size(), 5u);
    EXPECT_THAT(std::vector<std::string>(calls.begin(), calls.begin() + 2),
                ElementsAre("_lock_draw", "_quiet_stack 1"));
    EXPECT_THAT(std::vector<std::string>(calls.end() - 3, calls.end() - 1),
                ElementsAre("_quiet_stack 0", "_unlock_draw"));
    EXPECT_EQ(calls.back(), "_floating 1");
    EXPECT_THAT(calls, Not(Contains(HasSubstr(" 3 "))));  // the fourth card is left alone
    EXPECT_EQ(stored(6, "ID"), "3") << "a card made for a read keeps the file's id";

    ui_->eraseDialog = [](int) { return true; };
    rightClickTray(kUndoErase);
    EXPECT_EQ(table.slots[2].text, "three");
    EXPECT_EQ(stored(2, "Text"), "three") << "an undo is a user's act and writes";
}

TEST_F(ReconcilerTest, AMoveOfANoteErasedElsewhereIsDroppedAndOtherArrivalsAreTaken) {
    start(kFourNotes);
    eraseElsewhere(1);
    setElsewhere(3, "Text", "four, edited");
    // The drag started before the folder change was seen.
    drag(1, 50);
    EXPECT_EQ(file().find("[Husen2]"), std::string::npos) << "no keys into an erased section";
    EXPECT_FALSE(host_->table().slots[1].inUse());
    EXPECT_EQ(host_->table().slots[3].text, "four, edited");
}

TEST_F(ReconcilerTest, APressWhoseWriteRebuildsTheCardDragsTheRebuiltCard) {
    start(kFourNotes);
    setElsewhere(1, "Text", "two, edited");
    drag(1, 50);
    EXPECT_EQ(stored(1, "Text"), "two, edited");
    EXPECT_EQ(stored(1, "PosX"), "70");
    EXPECT_EQ(host_->table().slots[1].x, 70);
}

TEST_F(ReconcilerTest, ANewNoteTakesASlotFreeInTheFileAndKeepsTheNoteThatArrivedThere) {
    start(kFourNotes);
    setElsewhere(4, "ID", "9");
    setElsewhere(4, "Text", "made there");
    rightClickTray(kCreateCyan);
    EXPECT_EQ(stored(4, "Text"), "made there");
    EXPECT_TRUE(host_->table().slots[5].inUse());
    EXPECT_EQ(stored(5, "Text"), "");
    EXPECT_EQ(stored(5, "Type"), "0");
}

TEST_F(ReconcilerTest, ANoteWrittenHereThatTheSyncReplacedIsWrittenAgainUntilSeenBack) {
    start(kFourNotes);
    rightClickTray(kCreateCyan);
    ASSERT_EQ(stored(4, "Type"), "0");
    // The sync kept the other PC's file, where a yellow note was made in the same slot.
    setElsewhere(4, "Type", "2");
    host_->onFolderChange();
    EXPECT_EQ(notesInUse(), 6);
    EXPECT_EQ(host_->table().slots[4].color, kYellow);
    EXPECT_EQ(stored(5, "Type"), "0");

    // Long after, a slot holding something else is an edit from there, not another note.
    waitSeconds(5 * 60);
    setElsewhere(5, "Type", "1");
    host_->onFolderChange();
    EXPECT_EQ(notesInUse(), 6);
    EXPECT_EQ(host_->table().slots[5].color, kMagenta);
}

TEST_F(ReconcilerTest, ATextEditedHereAndThereKeepsBothTexts) {
    start(kFourNotes);
    setElsewhere(0, "Text", "theirs");
    ui_->editDialog = [this](int slot) {
        host_->table().slots[slot].text = "ours";
        return true;
    };
    host_->onEventMessage("OnMoteLButtonDoubleClick\r\n0\r\n0\r\n0\r\n");

    const NoteTable& table = host_->table();
    EXPECT_EQ(table.slots[0].text, "ours");
    EXPECT_EQ(stored(0, "Text"), "ours");
    EXPECT_EQ(table.slots[4].text, "theirs");
    EXPECT_EQ(stored(4, "Text"), "theirs");
    EXPECT_EQ(table.slots[4].x, table.slots[0].x + 20);
    EXPECT_GT(table.slots[4].priority, table.slots[0].priority) << "in front";
}

TEST_F(ReconcilerTest, WithEverySlotUsedTheArrivedTextIsKeptInAFileOfItsOwn) {
    std::string ini;
    for (int number = 1; number <= kSlotCount; ++number) {
        ini += section(number, number, number, 10, "note " + std::to_string(number));
    }
    start(ini);
    setElsewhere(0, "Text", "theirs");
    ui_->editDialog = [this](int slot) {
        host_->table().slots[slot].text = "ours";
        return true;
    };
    host_->onEventMessage("OnMoteLButtonDoubleClick\r\n0\r\n0\r\n0\r\n");

    EXPECT_EQ(stored(0, "Text"), "ours");
    const std::string kept = folder_.file("yorimemo-kept-20261207-093612.ini");
    EXPECT_EQ(readProfileString(kept, "Husen1", "Text", "(none)"), "theirs");
    ASSERT_THAT(ui_->notices, ElementsAre(Notice::kNoteKept));
    EXPECT_EQ(ui_->noticeDetails[0].path, kept);
}

TEST_F(ReconcilerTest, AReadThatRemovesMostNotesIsAppliedOnlyWhenASecondReadAgrees) {
    start(kFourNotes);
    eraseElsewhere(0);
    eraseElsewhere(1);
    eraseElsewhere(2);
    host_->onFolderChange();
    EXPECT_EQ(notesInUse(), 4);
    waitSeconds(1);
    EXPECT_EQ(notesInUse(), 4);
    waitSeconds(1);
    EXPECT_EQ(notesInUse(), 1);

    // Half-way through a replacement: the second read finds the notes back.
    start(kFourNotes);
    testing::writeFileBytes(iniPath_, "[System]\r\n");
    host_->onFolderChange();
    testing::writeFileBytes(iniPath_, kFourNotes);
    waitSeconds(2);
    EXPECT_EQ(notesInUse(), 4);
    EXPECT_THAT(library_->take(), Not(Contains(StartsWith("_delete "))));
}

// A note and its erased copy never both stay in the file, so an undo never makes a second one:
// an undo whose write waits for a second read, and a note recoloured here but erased there.
TEST_F(ReconcilerTest, ANoteBackInTheFileLeavesItsErasedCopyInTheSameWrite) {
    start(kFourNotes);
    ui_->eraseDialog = [](int) { return true; };
    rightClickNote(host_->table().slots[3].moteId, kErase);
    eraseElsewhere(0);
    eraseElsewhere(1);
    eraseElsewhere(2);
    rightClickTray(kUndoErase);
    EXPECT_EQ(host_->table().slots[3].text, "four");
    EXPECT_EQ(stored(3, "Text"), "(none)") << "written once a second read agrees";
    rightClickTray(kNoCommand);
    EXPECT_TRUE(lastTrayItem(kUndoErase).greyed) << "the note is back: not twice";
    const int writes = files_.writes;
    waitSeconds(2);
    EXPECT_EQ(files_.writes, writes + 1);
    EXPECT_EQ(stored(3, "Text"), "four");
    EXPECT_EQ(file().find("[Erased"), std::string::npos);

    // Elsewhere the second note is erased with a copy kept; here it is recoloured meanwhile.
    start(kFourNotes);
    const std::string copy = "Erased20261207093000000abcd";
    ASSERT_TRUE(writeProfileString(iniPath_, copy, "ID", "6"));
    ASSERT_TRUE(writeProfileString(iniPath_, copy, "Text", "two"));
    ASSERT_TRUE(writeProfileString(iniPath_, copy, "ErasedOn", "2026-12-07 09:30:00"));
    ASSERT_TRUE(writeProfileString(iniPath_, copy, "Slot", "2"));
    eraseElsewhere(1);
    rightClickNote(host_->table().slots[1].moteId, kColorYellow);
    EXPECT_EQ(stored(1, "Text"), "two") << "the edit here is kept";
    EXPECT_EQ(stored(1, "Type"), "2");
    EXPECT_EQ(file().find("[Erased"), std::string::npos);
}

TEST_F(ReconcilerTest, AVanishedFileIsWrittenBackWholeWithOneNotice) {
    start(kFourNotes);
    std::filesystem::remove(iniPath_);
    host_->onFolderChange();
    waitSeconds(1);
    EXPECT_FALSE(std::filesystem::exists(iniPath_)) << "a sync client may be re-creating it";
    waitSeconds(2);
    ASSERT_TRUE(std::filesystem::exists(iniPath_));
    for (int slot = 0; slot < 4; ++slot) EXPECT_NE(stored(slot, "Text"), "(none)");
    EXPECT_EQ(readProfileString(iniPath_, "System", "Floating", "(none)"), "Off");
    EXPECT_THAT(ui_->notices, ElementsAre(Notice::kWrittenBack));

    // Gone at a write: the drag writes every note, not a section of two keys.
    std::filesystem::remove(iniPath_);
    drag(2, 5);
    EXPECT_EQ(stored(2, "PosX"), "35");
    EXPECT_EQ(stored(0, "Text"), "one");
    EXPECT_EQ(stored(3, "ID"), "3");
    EXPECT_THAT(ui_->notices, ElementsAre(Notice::kWrittenBack, Notice::kWrittenBack));
}

TEST_F(ReconcilerTest, ConflictCopiesComeHomeOnceAndAreRenamed) {
    const std::string copy = folder_.file("yorimemo (conflicted copy 2026-12-07 093612).ini");
    testing::writeFileBytes(copy, section(1, 0, 1, 70, "one") + section(2, 1, 2, 80, "from copy") +
                                      section(3, 2, 3, 90, ""));
    start(kFourNotes);

    EXPECT_EQ(notesInUse(), 5);
    EXPECT_EQ(stored(4, "Text"), "from copy");
    EXPECT_EQ(stored(4, "PosX"), "80");
    EXPECT_TRUE(host_->table().slots[4].hasCard);
    EXPECT_FALSE(std::filesystem::exists(copy));
    EXPECT_TRUE(std::filesystem::exists(copy + ".merged"));
    ASSERT_THAT(ui_->notices, ElementsAre(Notice::kCopiesMerged));
    EXPECT_EQ(ui_->noticeDetails[0].count, 1);

    // The same copy seen again (another PC renamed it too late): nothing is added.
    testing::writeFileBytes(copy, section(2, 1, 2, 80, "from copy"));
    host_->onFolderChange();
    EXPECT_EQ(notesInUse(), 5);
    EXPECT_THAT(ui_->notices, ElementsAre(Notice::kCopiesMerged));

    // A copy that cannot be read is left where it is, and said once.
    const std::string held = folder_.file("yorimemo.sync-conflict-20261207-093612-ABCDEFG.ini");
    testing::writeFileBytes(held, section(1, 0, 1, 70, "held"));
    files_.failReadsOf = held;
    host_->onFolderChange();
    host_->onFolderChange();
    EXPECT_TRUE(std::filesystem::exists(held));
    EXPECT_THAT(ui_->notices, ElementsAre(Notice::kCopiesMerged, Notice::kCopyLeft));
}

TEST_F(ReconcilerTest, TwoProgramsOnOneFileLeftAloneStopWriting) {
    start(kFourNotes);
    std::vector<std::string> otherLog;
    fakes::FakeUi otherUi(otherLog);
    NoteHost other(iniPath_, otherUi, files_);
    other.setDesktopExtent({1920, 1080});
    other.loadSettings();
    other.openMoteLibrary(std::make_unique<fakes::RecordingLibrary>(otherLog), 0x5678);

    // Both make a note at once; each sees the other's.
    rightClickTray(kCreateYellow);
    otherUi.command = kCreateMagenta;
    other.onTrayNotify(testing::kTrayIconId, kRightButtonUp);
    host_->onFolderChange();
    other.onFolderChange();
    EXPECT_EQ(notesInUse(), 6);
    EXPECT_EQ(host_->table().slots[5].color, other.table().slots[5].color);

    const int writes = files_.writes;
    for (int round = 0; round < 3; ++round) {
        host_->onFolderChange();
        other.onFolderChange();
        waitSeconds(1);
    }
    EXPECT_EQ(files_.writes, writes);
}

}  // namespace
}  // namespace yorimemo
