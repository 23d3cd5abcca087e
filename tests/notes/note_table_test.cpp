#include "notes/note_table.h"

#include <gtest/gtest.h>

#include <limits>

namespace yorimemo {
namespace {

TEST(NoteTableTest, FindCardMatchesOnlyNotesShowingACard) {
    NoteTable table;
    table.slots[2].moteId = 7;  // a stored id kept while the library made no card
    table.slots[4].moteId = 7;
    table.slots[4].hasCard = true;
    table.slots[6].moteId = -1;

    EXPECT_EQ(table.findCard(7), 4);
    EXPECT_EQ(table.findCard(-1), -1);
    EXPECT_EQ(table.findCard(3), -1);
    EXPECT_EQ(table.firstFreeSlot(), 0);
}

TEST(NoteTableTest, FirstFreeSlotSkipsSlotsInUse) {
    NoteTable table;
    for (int i = 0; i < kSlotCount; ++i) table.slots[i].moteId = i;
    EXPECT_EQ(table.firstFreeSlot(), -1);
    table.slots[42].moteId = -3;
    EXPECT_EQ(table.firstFreeSlot(), 42);
}

TEST(NoteTableTest, TakeNextPriorityHandsOutIncreasingValuesAndWrapsAtTheTop) {
    NoteTable table;
    table.nextPriority = 5;
    EXPECT_EQ(table.takeNextPriority(), 5);
    EXPECT_EQ(table.takeNextPriority(), 6);
    EXPECT_EQ(table.nextPriority, 7);

    table.nextPriority = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(table.takeNextPriority(), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(table.nextPriority, std::numeric_limits<std::int32_t>::min());
}

}  // namespace
}  // namespace yorimemo
