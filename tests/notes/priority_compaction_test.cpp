#include "notes/priority_compaction.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace yorimemo {
namespace {

struct Stored {
    std::int32_t id;
    std::int32_t priority;
};

NoteTable tableOf(const std::vector<Stored>& stored) {
    NoteTable table;
    for (std::size_t i = 0; i < stored.size(); ++i) {
        table.slots[i].moteId = stored[i].id;
        table.slots[i].priority = stored[i].priority;
    }
    return table;
}

std::vector<std::int32_t> prioritiesOf(const NoteTable& table, std::size_t count) {
    std::vector<std::int32_t> result;
    for (std::size_t i = 0; i < count; ++i) result.push_back(table.slots[i].priority);
    return result;
}

TEST(PriorityCompactionTest, WorkedExample) {
    NoteTable table = tableOf({{3, 12}, {-1, 99}, {7, 5}, {0, 40}, {2, 12}, {5, 7}});
    EXPECT_EQ(compactPriorities(table), 4);
    EXPECT_EQ(prioritiesOf(table, 6), (std::vector<std::int32_t>{2, 99, 0, 3, 2, 1}));
}

TEST(PriorityCompactionTest, TiesStayTiesAndNoRankIsSkipped) {
    NoteTable table = tableOf({{0, 5}, {1, 5}, {2, 9}});
    EXPECT_EQ(compactPriorities(table), 2);
    EXPECT_EQ(prioritiesOf(table, 3), (std::vector<std::int32_t>{0, 0, 1}));

    table = tableOf({{0, -3}, {1, 10}, {2, 4}, {3, 10}});
    EXPECT_EQ(compactPriorities(table), 3);
    EXPECT_EQ(prioritiesOf(table, 4), (std::vector<std::int32_t>{0, 2, 1, 2}));
}

TEST(PriorityCompactionTest, FreeSlotsNeitherTakePartNorChange) {
    NoteTable table = tableOf({{-1, -50}, {0, 8}, {-7, 1000}, {4, 8}});
    EXPECT_EQ(compactPriorities(table), 1);
    EXPECT_EQ(prioritiesOf(table, 4), (std::vector<std::int32_t>{-50, 0, 1000, 0}));
}

TEST(PriorityCompactionTest, NoNoteInUseGivesZero) {
    NoteTable table = tableOf({{-1, 3}});
    EXPECT_EQ(compactPriorities(table), 0);
    EXPECT_EQ(table.slots[0].priority, 3);
}

TEST(PriorityCompactionTest, ExtremePrioritiesDoNotOverflow) {
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    NoteTable table = tableOf({{0, kMax}, {1, kMin}, {2, 0}, {3, kMax}, {4, -1}});
    EXPECT_EQ(compactPriorities(table), 4);
    EXPECT_EQ(prioritiesOf(table, 5), (std::vector<std::int32_t>{3, 0, 2, 3, 1}));
}

TEST(PriorityCompactionTest, HundredDistinctPrioritiesKeepTheirOrder) {
    NoteTable table;
    for (int i = 0; i < kSlotCount; ++i) {
        table.slots[i].moteId = i;
        table.slots[i].priority = (i * 37) % kSlotCount * 1000 - 50000;
    }
    EXPECT_EQ(compactPriorities(table), kSlotCount);
    for (int i = 0; i < kSlotCount; ++i) EXPECT_EQ(table.slots[i].priority, (i * 37) % kSlotCount);
}

}  // namespace
}  // namespace yorimemo
