#include "motelib/mote_set.h"

#include <gtest/gtest.h>

#include <limits>
#include <set>
#include <string>

namespace yorimemo::motelib {
namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

TEST(MoteSetTest, IdsAreNonNegativeAndDistinctAmongLiveMotesAcrossDeletes) {
    MoteSet<int> motes;
    std::set<std::int32_t> live;
    for (int i = 0; i < 50; ++i) {
        const std::int32_t id = motes.add(i, i, 0);
        ASSERT_GE(id, 0);
        EXPECT_TRUE(live.insert(id).second) << id;
        if (i % 3 == 0) {
            ASSERT_TRUE(motes.remove(id).has_value());
            live.erase(id);
        }
    }
    EXPECT_EQ(motes.size(), live.size());
}

TEST(MoteSetTest, IdCounterWrapsToZeroAndDoesNotReuseAFreedIdAtOnce) {
    MoteSet<int> motes(kMax - 1);
    EXPECT_EQ(motes.add(0, 0, 0), kMax - 1);
    EXPECT_EQ(motes.add(0, 0, 0), kMax);
    MoteSet<int> wrapped(kMax);
    EXPECT_EQ(wrapped.add(0, 0, 0), kMax);
    EXPECT_EQ(wrapped.add(0, 0, 0), 0);
    EXPECT_EQ(wrapped.add(0, 0, 0), 1);

    MoteSet<int> busy(kMax);
    const std::int32_t top = busy.add(0, 0, 0);
    ASSERT_EQ(busy.add(0, 0, 0), 0);
    ASSERT_EQ(busy.add(0, 0, 0), 1);
    ASSERT_TRUE(busy.remove(0).has_value());
    // The counter goes on from 2; the freed 0 is not handed out again at once.
    EXPECT_EQ(busy.add(0, 0, 0), 2);
    EXPECT_TRUE(busy.find(top) != nullptr);
}

TEST(MoteSetTest, NegativeFirstIdStartsAtZero) {
    MoteSet<int> motes(-5);
    EXPECT_EQ(motes.add(0, 0, 0), 0);
}

TEST(MoteSetTest, LargerPriorityLiesInFrontAndTiesGoToTheLastRaised) {
    MoteSet<int> motes;
    const std::int32_t low = motes.add(0, 0, 1);
    const std::int32_t high = motes.add(0, 0, 9);
    const std::int32_t tieOld = motes.add(0, 0, 5);
    const std::int32_t tieNew = motes.add(0, 0, 5);
    EXPECT_EQ(motes.frontToBack(), (std::vector<std::int32_t>{high, tieNew, tieOld, low}));

    ASSERT_TRUE(motes.setPriority(low, 10));
    EXPECT_EQ(motes.frontToBack(), (std::vector<std::int32_t>{low, high, tieNew, tieOld}));
    // Setting the same priority again raises it above its equal.
    ASSERT_TRUE(motes.setPriority(tieOld, 5));
    EXPECT_EQ(motes.frontToBack(), (std::vector<std::int32_t>{low, high, tieOld, tieNew}));
    ASSERT_TRUE(motes.setPriority(high, kMin));
    EXPECT_EQ(motes.frontToBack().back(), high);
}

TEST(MoteSetTest, MoveAddsTheDisplacementAndClampsAtTheRangeEnds) {
    MoteSet<int> motes;
    const std::int32_t id = motes.add(100, 200, 0);
    ASSERT_TRUE(motes.move(id, 10, -250));
    EXPECT_EQ(motes.find(id)->x, 110);
    EXPECT_EQ(motes.find(id)->y, -50);
    ASSERT_TRUE(motes.move(id, kMax, kMin));
    EXPECT_EQ(motes.find(id)->x, kMax);
    EXPECT_EQ(motes.find(id)->y, kMin);
    EXPECT_EQ(saturatingAdd(kMin, -1), kMin);
    EXPECT_EQ(saturatingAdd(-7, 3), -4);
}

TEST(MoteSetTest, UnknownIdsAreRefusedWithoutSideEffects) {
    MoteSet<int> motes;
    const std::int32_t id = motes.add(1, 2, 3);
    for (const std::int32_t bad : {-1, id + 1, kMax, kMin}) {
        EXPECT_EQ(motes.find(bad), nullptr);
        EXPECT_FALSE(motes.move(bad, 1, 1));
        EXPECT_FALSE(motes.setPriority(bad, 1));
        EXPECT_FALSE(motes.remove(bad).has_value());
    }
    EXPECT_EQ(motes.size(), 1u);
    EXPECT_EQ(motes.find(id)->x, 1);
}

TEST(MoteSetTest, RemoveHandsBackTheViewOnce) {
    MoteSet<std::string> motes;
    const std::int32_t id = motes.add(0, 0, 0);
    motes.find(id)->view = "window";
    const auto view = motes.remove(id);
    ASSERT_TRUE(view.has_value());
    EXPECT_EQ(*view, "window");
    EXPECT_FALSE(motes.remove(id).has_value());
    EXPECT_TRUE(motes.frontToBack().empty());
}

}  // namespace
}  // namespace yorimemo::motelib
