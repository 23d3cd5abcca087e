#include "notes/note_merge.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "notes/profile_file.h"
#include "notes/settings_file.h"
#include "tests/notes/test_files.h"

namespace yorimemo {
namespace {

// The three sides of a merge, all starting from one file of three notes.
struct Sides {
    NoteTable lastRead;
    NoteTable shown;
    NoteTable file;
    SlotSet madeHere;
    SlotSet unconfirmed;
    SlotSet busy;
    std::vector<ErasedCopy> erased;  // newest first
    bool fileMissing = false;

    NoteSlot& here(int slot) { return shown.slots[static_cast<std::size_t>(slot)]; }
    NoteSlot& there(int slot) { return file.slots[static_cast<std::size_t>(slot)]; }
};

NoteSlot storedNote(const std::string& text, std::int32_t priority) {
    NoteSlot note;
    note.moteId = 7;
    note.priority = priority;
    note.x = 10 * (priority + 1);
    note.y = note.x;
    note.width = 300;
    note.text = text;
    return note;
}

Sides threeNotes() {
    Sides sides;
    const char* texts[] = {"alpha", "beta", "gamma"};
    for (int slot = 0; slot < 3; ++slot) sides.lastRead.slots[slot] = storedNote(texts[slot], slot);
    sides.lastRead.nextPriority = 3;
    sides.file = sides.lastRead;
    sides.shown = sides.lastRead;
    for (int slot = 0; slot < 3; ++slot) {
        sides.here(slot).moteId = 100 + slot;  // the cards' ids are this program's own
        sides.here(slot).hasCard = true;
    }
    return sides;
}

// Every slot from 3 up in use on all sides, so that nothing new finds room.
void fillEverySlot(Sides& sides) {
    for (int slot = 3; slot < kSlotCount; ++slot) {
        const NoteSlot note = storedNote("filler " + std::to_string(slot), slot);
        sides.lastRead.slots[slot] = sides.shown.slots[slot] = sides.file.slots[slot] = note;
    }
}

struct Change {
    SlotChange::Kind kind;
    unsigned aspects = 0;
};

struct MergeCase {
    const char* name;
    std::function<void(Sides&)> arrange;
    std::map<int, std::string> texts;  // the merged table's notes in use, by slot
    std::map<int, Change> changes;     // every other slot is unchanged
    std::vector<SlotWrite> writes;
    std::function<void(const MergeResult&)> alsoCheck = nullptr;
};

std::ostream& operator<<(std::ostream& out, const MergeCase& row) {
    return out << row.name;
}

const std::map<int, std::string> kThreeTexts = {{0, "alpha"}, {1, "beta"}, {2, "gamma"}};

MergeResult merge(Sides& sides) {
    MergeInput input;
    input.lastRead = &sides.lastRead;
    input.shown = &sides.shown;
    input.fileNow = sides.fileMissing ? nullptr : &sides.file;
    input.madeHere = sides.madeHere;
    input.unconfirmed = sides.unconfirmed;
    input.busy = sides.busy;
    input.erased = sides.erased;
    return mergeNoteFile(input);
}

class NoteMergeTest : public ::testing::TestWithParam<MergeCase> {};

TEST_P(NoteMergeTest, MergesNoteByNote) {
    const MergeCase& row = GetParam();
    Sides sides = threeNotes();
    row.arrange(sides);
    const MergeResult result = merge(sides);

    // In a crowded file the rows name only the notes they look at.
    const bool crowded = sides.file.slots[kSlotCount - 1].inUse();
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const NoteSlot& note = result.table.slots[slot];
        const auto text = row.texts.find(slot);
        if (text != row.texts.end()) {
            EXPECT_TRUE(note.inUse() && note.text == text->second) << "slot " << slot;
        } else if (!crowded) {
            EXPECT_FALSE(note.inUse()) << "slot " << slot;
        }
        const auto change = row.changes.find(slot);
        const Change expected =
            change == row.changes.end() ? Change{SlotChange::kUnchanged, 0} : change->second;
        EXPECT_EQ(result.changes[slot].kind, expected.kind) << "slot " << slot;
        EXPECT_EQ(result.changes[slot].aspects & ~unsigned{kAspectPriority}, expected.aspects)
            << "slot " << slot;
    }
    ASSERT_EQ(result.writes.size(), row.writes.size());
    for (std::size_t i = 0; i < row.writes.size(); ++i) {
        EXPECT_EQ(result.writes[i].slot, row.writes[i].slot);
        EXPECT_EQ(result.writes[i].kind, row.writes[i].kind) << "slot " << row.writes[i].slot;
        EXPECT_EQ(result.writes[i].aspects, row.writes[i].aspects) << "slot " << row.writes[i].slot;
    }
    if (row.alsoCheck) row.alsoCheck(result);

    // Once the writes have landed, the next look at the file finds nothing to do: two programs
    // left alone stop writing.
    Sides settled;
    settled.lastRead = result.written;
    settled.file = result.written;
    settled.shown = result.table;
    settled.unconfirmed = result.unconfirmed;
    settled.busy = sides.busy;
    const MergeResult again = merge(settled);
    EXPECT_TRUE(again.writes.empty());
    EXPECT_FALSE(again.writeFloating);
    EXPECT_EQ(again.unconfirmed, sides.unconfirmed & sides.busy) << "seen back as written";
    for (int slot = 0; slot < kSlotCount; ++slot) {
        EXPECT_EQ(again.changes[slot].kind, SlotChange::kUnchanged) << "again, slot " << slot;
    }
}

const MergeCase kMergeCases[] = {
    {"NothingChanged", [](Sides&) {}, kThreeTexts, {}, {}},
    {"StartOfTheOtherProgramRenumbersIdsAndPriorities",
     [](Sides& s) {
         for (int slot = 0; slot < 3; ++slot) {
             s.there(slot).moteId = 40 + slot;
             s.there(slot).priority = 5 * slot + 9;
         }
     },
     kThreeTexts,
     {},
     {},
     [](const MergeResult& r) {
         EXPECT_EQ(r.table.slots[2].priority, 19);
         EXPECT_EQ(r.changes[2].aspects, unsigned{kAspectPriority});
         EXPECT_FALSE(r.needsConfirmation);
     }},
    {"EditedThereOnlyIsTaken",
     [](Sides& s) {
         s.there(1).text = "beta there";
         s.there(1).color = kYellow;
         s.there(2).x = 500;
     },
     {{0, "alpha"}, {1, "beta there"}, {2, "gamma"}},
     {{1, {SlotChange::kUpdate, kAspectText | kAspectColor}},
      {2, {SlotChange::kUpdate, kAspectPosition}}},
     {}},
    {"EditedHereOnlyWritesItsKeys",
     [](Sides& s) { s.here(1).text = "beta here"; },
     {{0, "alpha"}, {1, "beta here"}, {2, "gamma"}},
     {},
     {{1, SlotWrite::kKeys, kAspectText}}},
    {"MovedOnBothSidesKeepsTheMoveHere",
     [](Sides& s) {
         s.here(0).x = 111;
         s.there(0).x = 222;
         s.there(0).fontSize = 20;
     },
     kThreeTexts,
     {{0, {SlotChange::kUpdate, kAspectFont}}},
     {{0, SlotWrite::kKeys, kAspectPosition}},
     [](const MergeResult& r) { EXPECT_EQ(r.table.slots[0].x, 111); }},
    {"TextEditedOnBothSidesKeepsBoth",
     [](Sides& s) {
         s.here(1).text = "mine";
         s.there(1).text = "theirs";
         s.there(1).color = kMagenta;
     },
     {{0, "alpha"}, {1, "mine"}, {2, "gamma"}, {3, "theirs"}},
     {{1, {SlotChange::kUpdate, kAspectColor}}, {3, {SlotChange::kAppear}}},
     {{1, SlotWrite::kKeys, kAspectText}, {3, SlotWrite::kWhole}},
     [](const MergeResult& r) {
         const NoteSlot& arrived = r.table.slots[3];
         EXPECT_EQ(arrived.x, r.table.slots[1].x + 20);
         EXPECT_EQ(arrived.y, r.table.slots[1].y + 20);
         EXPECT_EQ(arrived.color, kMagenta);
         EXPECT_GT(arrived.priority, r.table.slots[2].priority);
         EXPECT_GT(r.table.nextPriority, arrived.priority);
     }},
    {"TextEditedOnBothSidesWithNoFreeSlotIsKeptAside",
     [](Sides& s) {
         fillEverySlot(s);
         s.here(1).text = "mine";
         s.there(1).text = "theirs";
     },
     {{1, "mine"}},
     {},
     {{1, SlotWrite::kKeys, kAspectText}},
     [](const MergeResult& r) {
         ASSERT_EQ(r.keptNotes.size(), 1u);
         EXPECT_EQ(r.keptNotes[0].text, "theirs");
     }},
    {"MovedHereErasedThereDropsTheMove",
     [](Sides& s) {
         s.here(1).x = 400;
         s.there(1) = NoteSlot{};
     },
     {{0, "alpha"}, {2, "gamma"}},
     {{1, {SlotChange::kDisappear}}},
     {}},
    {"PressedHereIdNegativeThereDropsThePress",
     [](Sides& s) {
         s.here(0).priority = 3;
         s.here(0).moteId = 105;
         s.there(0).moteId = -1;
     },
     {{1, "beta"}, {2, "gamma"}},
     {{0, {SlotChange::kDisappear}}},
     {}},
    {"EditedHereErasedThereIsWrittenBackWhole",
     [](Sides& s) {
         s.here(1).text = "kept";
         s.there(1) = NoteSlot{};
     },
     {{0, "alpha"}, {1, "kept"}, {2, "gamma"}},
     {},
     {{1, SlotWrite::kWhole}}},
    {"EditedHereErasedThereWithACopyOfTheSameTextDropsTheCopy",
     [](Sides& s) {
         s.here(1).color = kYellow;
         s.there(1) = NoteSlot{};
         s.erased = {
             {"ErasedOther", 0, "beta"}, {"ErasedNew", 1, "beta"}, {"ErasedOld", 1, "beta"}};
     },
     kThreeTexts,
     {},
     {{1, SlotWrite::kWhole}},
     [](const MergeResult& r) {
         EXPECT_EQ(r.droppedErased, std::vector<std::string>{"ErasedNew"}) << "the newest only";
     }},
    {"TextEditedHereAndThereBeforeTheEraseThereKeepsTheirCopy",
     [](Sides& s) {
         s.here(1).text = "beta here";
         s.there(1) = NoteSlot{};
         s.erased = {{"ErasedNew", 1, "beta there"}};
     },
     {{0, "alpha"}, {1, "beta here"}, {2, "gamma"}},
     {},
     {{1, SlotWrite::kWhole}},
     [](const MergeResult& r) { EXPECT_TRUE(r.droppedErased.empty()) << "both texts kept"; }},
    {"BroughtBackHereLandsWithTheRemovalOfItsCopy",
     [](Sides& s) {
         s.lastRead.slots[1] = s.there(1) = NoteSlot{};
         s.here(1).priority = 3;  // an undo brings it back in front
         s.erased = {{"ErasedOther", 1, "beta"}, {"ErasedBeta", 1, "beta", 1}};
     },
     kThreeTexts,
     {},
     {{1, SlotWrite::kWhole}},
     [](const MergeResult& r) {
         EXPECT_EQ(r.droppedErased, std::vector<std::string>{"ErasedBeta"});
     }},
    {"BroughtBackIntoASlotFilledThereMovesWithItsCopy",
     [](Sides& s) {
         s.lastRead.slots[1] = NoteSlot{};
         s.here(1).priority = 3;
         s.there(1) = storedNote("new there", 5);
         s.erased = {{"ErasedBeta", 1, "beta", 1}};
     },
     {{0, "alpha"}, {1, "new there"}, {2, "gamma"}, {3, "beta"}},
     {{1, {SlotChange::kAppear}}},
     {{3, SlotWrite::kWhole}},
     [](const MergeResult& r) {
         EXPECT_EQ(r.changes[3].cameFrom, 1);
         EXPECT_EQ(r.droppedErased, std::vector<std::string>{"ErasedBeta"});
     }},
    {"ErasedHereRemovesTheSection",
     [](Sides& s) {
         s.here(2).moteId = -1;
         s.here(2).hasCard = false;
         s.there(0).y = 77;
     },
     {{0, "alpha"}, {1, "beta"}},
     {{0, {SlotChange::kUpdate, kAspectPosition}}},
     {{2, SlotWrite::kRemove}}},
    {"ErasedHereEditedThereComesBack",
     [](Sides& s) {
         s.here(2).moteId = -1;
         s.here(2).hasCard = false;
         s.there(2).text = "gamma there";
     },
     {{0, "alpha"}, {1, "beta"}, {2, "gamma there"}},
     {{2, {SlotChange::kAppear}}},
     {}},
    {"NewThereAppearsAndIsNotWritten",
     [](Sides& s) { s.there(5) = storedNote("new there", 3); },
     {{0, "alpha"}, {1, "beta"}, {2, "gamma"}, {5, "new there"}},
     {{5, {SlotChange::kAppear}}},
     {}},
    {"NewHereIsWrittenWhole",
     [](Sides& s) {
         s.here(3) = storedNote("new here", 3);
         // Not flagged: a note the file never held was made here.
     },
     {{0, "alpha"}, {1, "beta"}, {2, "gamma"}, {3, "new here"}},
     {},
     {{3, SlotWrite::kWhole}}},
    {"SameSlotFilledOnBothSidesMovesOursToAFreeSlot",
     [](Sides& s) {
         s.here(3) = storedNote("new here", 3);
         s.here(3).hasCard = true;
         s.madeHere.set(3);
         s.there(3) = storedNote("new there", 3);
         s.there(4) = storedNote("also there", 4);
     },
     {{0, "alpha"},
      {1, "beta"},
      {2, "gamma"},
      {3, "new there"},
      {4, "also there"},
      {5, "new here"}},
     {{3, {SlotChange::kAppear}}, {4, {SlotChange::kAppear}}},
     {{5, SlotWrite::kWhole}},
     [](const MergeResult& r) {
         EXPECT_EQ(r.changes[5].cameFrom, 3);
         EXPECT_TRUE(r.table.slots[5].hasCard);
         EXPECT_FALSE(r.table.slots[3].hasCard);
         EXPECT_GT(r.table.slots[5].priority, r.table.slots[4].priority);
     }},
    {"WrittenHereNotSeenBackAndFilledThereMovesOursAndRewritesOneThatDidNotArrive",
     [](Sides& s) {
         // Both written here; the sync kept the other PC's file, made at the same time.
         for (int slot : {3, 4}) {
             s.lastRead.slots[slot] = s.shown.slots[slot] = storedNote("", slot);
             s.here(slot).hasCard = true;
             s.unconfirmed.set(slot);
         }
         s.here(4).text = "typed since";
         s.there(3) = storedNote("", 3);
         s.there(3).color = kYellow;
         s.there(3).moteId = 3;
         // Seen back as written, but for the id and priority the other PC's start renumbered.
         s.lastRead.slots[2].text = s.here(2).text = "gamma, new";
         s.unconfirmed.set(2);
         s.there(2).text = "gamma, new";
         s.there(2).priority = 40;
     },
     {{0, "alpha"}, {1, "beta"}, {2, "gamma, new"}, {3, ""}, {4, "typed since"}, {5, ""}},
     {{3, {SlotChange::kAppear}}},
     {{4, SlotWrite::kWhole}, {5, SlotWrite::kWhole}},
     [](const MergeResult& r) {
         EXPECT_EQ(r.table.slots[3].color, kYellow);
         EXPECT_EQ(r.changes[5].cameFrom, 3);
         EXPECT_NE(r.table.slots[5].color, kYellow);
         EXPECT_TRUE(r.table.slots[5].hasCard);
         EXPECT_EQ(r.unconfirmed, SlotSet().set(4).set(5));
     }},
    {"SlotReusedHereAfterAnEraseIsWrittenOver",
     [](Sides& s) {
         s.here(1) = storedNote("new in old slot", 5);
         s.madeHere.set(1);
     },
     {{0, "alpha"}, {1, "new in old slot"}, {2, "gamma"}},
     {},
     {{1, SlotWrite::kWhole}}},
    {"NewHereWithNoFreeSlotThereIsShownUnwritten",
     [](Sides& s) {
         fillEverySlot(s);
         s.lastRead.slots[3] = NoteSlot{};
         s.there(3) = storedNote("there 3", 3);
         s.here(3) = storedNote("new here", 3);
         s.madeHere.set(3);
     },
     {{3, "there 3"}},
     {{3, {SlotChange::kAppear}}},
     {},
     [](const MergeResult& r) {
         ASSERT_EQ(r.unplaced.size(), 1u);
         EXPECT_EQ(r.unplaced[0].text, "new here");
     }},
    {"PressedHereWritesItsPriority",
     [](Sides& s) { s.here(0).priority = 3; },
     kThreeTexts,
     {},
     {{0, SlotWrite::kKeys, kAspectStacking}},
     [](const MergeResult& r) { EXPECT_EQ(r.table.slots[0].priority, 3); }},
    {"PressedHereGoesInFrontOfWhatWasRaisedThere",
     [](Sides& s) {
         s.here(0).priority = 3;
         s.there(1).priority = 8;
     },
     kThreeTexts,
     {{1, {SlotChange::kUpdate, kAspectStacking}}},
     {{0, SlotWrite::kKeys, kAspectStacking}},
     [](const MergeResult& r) { EXPECT_GT(r.table.slots[0].priority, 8); }},
    {"RaisedThereRestacksOnlyThatCard",
     [](Sides& s) { s.there(0).priority = 3; },
     kThreeTexts,
     {{0, {SlotChange::kUpdate, kAspectStacking}}},
     {}},
    {"BusyNoteKeepsItsStateUntilItIsFree",
     [](Sides& s) {
         s.busy.set(1);
         s.here(1).x = 60;
         s.there(1).text = "beta there";
     },
     kThreeTexts,
     {},
     {},
     [](const MergeResult& r) {
         EXPECT_EQ(r.table.slots[1].x, 60);
         EXPECT_EQ(r.read.slots[1].text, "beta");  // seen again once the note is free
     }},
    {"FloatingSwitchedThereApplies",
     [](Sides& s) { s.file.floating = 1; },
     kThreeTexts,
     {},
     {},
     [](const MergeResult& r) {
         EXPECT_TRUE(r.floatingChanged);
         EXPECT_EQ(r.table.floating, 1);
         EXPECT_FALSE(r.writeFloating);
     }},
    {"FloatingSwitchedHereIsWritten",
     [](Sides& s) { s.shown.floating = 1; },
     kThreeTexts,
     {},
     {},
     [](const MergeResult& r) {
         EXPECT_FALSE(r.floatingChanged);
         EXPECT_TRUE(r.writeFloating);
     }},
    {"MostNotesGoneThereAsksForASecondRead",
     [](Sides& s) {
         s.there(0) = NoteSlot{};
         s.there(1) = NoteSlot{};
     },
     {{2, "gamma"}},
     {{0, {SlotChange::kDisappear}}, {1, {SlotChange::kDisappear}}},
     {},
     [](const MergeResult& r) { EXPECT_TRUE(r.needsConfirmation); }},
    {"VanishedFileIsWrittenBackWhole",
     [](Sides& s) {
         s.fileMissing = true;
         s.here(1).x = 90;
     },
     kThreeTexts,
     {},
     {{0, SlotWrite::kWhole}, {1, SlotWrite::kWhole}, {2, SlotWrite::kWhole}},
     [](const MergeResult& r) {
         EXPECT_TRUE(r.wholeFile);
         EXPECT_TRUE(r.writeFloating);
     }},
    {"BroughtBackWhenTheFileVanishedLandsWithTheRemovalOfItsCopy",
     [](Sides& s) {
         s.fileMissing = true;
         s.lastRead.slots[2] = NoteSlot{};
         s.erased = {{"ErasedGamma", 2, "gamma", 2}};
     },
     kThreeTexts,
     {},
     {{0, SlotWrite::kWhole}, {1, SlotWrite::kWhole}, {2, SlotWrite::kWhole}},
     [](const MergeResult& r) {
         EXPECT_EQ(r.droppedErased, std::vector<std::string>{"ErasedGamma"});
     }},
};

INSTANTIATE_TEST_SUITE_P(Rows, NoteMergeTest, ::testing::ValuesIn(kMergeCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Two programs share one file: this one starts, the other edits a note, this one moves and
// recolours another; the write carries only those keys, then neither has anything left to write;
// a file deleted under the program is written back whole.
TEST(NoteMergeScenario, TheSettingsFileKeepsTheAncestorAcrossReadsAndWrites) {
    const testing::TempFolder folder{"yorimemo-merge"};
    const std::string ini = folder.file("yorimemo.ini");
    testing::writeFileBytes(ini,
                            "[Husen1]\r\nID=3\r\nPriority=5\r\nText=one\r\n"
                            "[Husen2]\r\nID=4\r\nPriority=9\r\nText=two\r\n");
    SettingsFile file(ini);
    NoteTable table;
    ASSERT_TRUE(file.load(table));
    EXPECT_EQ(file.lastRead().slots[1].priority, 9);  // as stored, not compacted
    {
        const SettingsFile::Batch oneWrite(file);  // the start draws every note and saves it
        for (int slot = 0; slot < 2; ++slot) {
            table.slots[slot].moteId = 100 + slot;
            table.slots[slot].hasCard = true;
            file.saveNote(table, slot);
        }
    }
    EXPECT_EQ(file.lastRead().slots[1].priority, 1);
    EXPECT_EQ(file.lastRead().slots[1].moteId, 101);

    updateProfile(platformFileSystem(), ini,
                  [](ProfileDocument& document) { document.set("Husen2", "Text", "two there"); });
    table.slots[0].x = 55;
    table.slots[0].color = kYellow;
    auto mergeWithFile = [&] {
        NoteTable now;
        const bool missing = file.readNow(now) == ReadStatus::kMissing;
        MergeInput input;
        input.lastRead = &file.lastRead();
        input.shown = &table;
        input.fileNow = missing ? nullptr : &now;
        return mergeNoteFile(input);
    };
    const MergeResult merged = mergeWithFile();
    EXPECT_EQ(merged.changes[1].kind, SlotChange::kUpdate);
    ASSERT_EQ(merged.writes.size(), 1u);
    EXPECT_EQ(merged.writes[0].aspects, unsigned{kAspectPosition | kAspectColor});
    file.saveMerge(merged);
    table = merged.table;

    NoteTable reread;
    SettingsFile(ini).load(reread);
    EXPECT_EQ(reread.slots[0].x, 55);
    EXPECT_EQ(reread.slots[0].color, kYellow);
    EXPECT_EQ(reread.slots[1].text, "two there");
    const MergeResult settled = mergeWithFile();
    EXPECT_TRUE(settled.writes.empty());
    EXPECT_EQ(settled.changes[0].kind, SlotChange::kUnchanged);
    EXPECT_EQ(settled.changes[1].kind, SlotChange::kUnchanged);

    // A sync client deletes the file: everything comes back at the next merge.
    platformFileSystem().removeFile(ini);
    file.saveMerge(mergeWithFile());
    const ProfileDocument back = readProfile(platformFileSystem(), ini);
    EXPECT_EQ(back.find("System", "Floating"), "Off");
    EXPECT_EQ(back.find("System", "Height"), "50");
    SettingsFile(ini).load(reread);
    EXPECT_EQ(reread.slots[0].x, 55);
    EXPECT_EQ(reread.slots[1].text, "two there");
    EXPECT_TRUE(mergeWithFile().writes.empty());
}

}  // namespace
}  // namespace yorimemo
