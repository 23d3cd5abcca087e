#include "motelib/draw_lock.h"

#include <gtest/gtest.h>

#include <set>

namespace yorimemo::motelib {
namespace {

TEST(DrawLockTest, OnlyTheOutermostUnlockReleasesAndUnmatchedUnlocksAreIgnored) {
    DrawLock lock;
    EXPECT_FALSE(lock.unlock());
    EXPECT_FALSE(lock.held());
    lock.lock();
    lock.lock();
    EXPECT_FALSE(lock.unlock());
    EXPECT_TRUE(lock.held());
    EXPECT_TRUE(lock.unlock());
    EXPECT_FALSE(lock.held());
    EXPECT_FALSE(lock.unlock());
    lock.lock();
    EXPECT_TRUE(lock.held());  // the ignored unlock did not leave a debt behind
}

TEST(DrawLockTest, TakeHandsOverEachDirtyMoteOnceAndClears) {
    DrawLock lock;
    lock.markDirty(4);
    lock.markDirty(2);
    lock.markDirty(4);
    lock.markPrioritySet(7);
    lock.markCreated(3);
    DrawLock::Pending pending = lock.take();
    EXPECT_EQ(pending.dirty, (std::vector<std::int32_t>{2, 4}));
    EXPECT_TRUE(pending.restack);
    EXPECT_EQ(pending.stack.prioritySet, (std::set<std::int32_t>{7}));
    EXPECT_EQ(pending.stack.created, (std::set<std::int32_t>{3}));
    pending = lock.take();
    EXPECT_TRUE(pending.dirty.empty());
    EXPECT_FALSE(pending.restack);
    EXPECT_TRUE(pending.stack.prioritySet.empty());
    EXPECT_TRUE(pending.stack.created.empty());
}

TEST(DrawLockTest, AMoteTheUserTouchedUnderTheLockStaysLoud) {
    DrawLock lock;
    lock.markCreated(1, true);
    lock.markPrioritySet(1, false);  // made by the file, then pressed
    lock.markPrioritySet(2, false);
    lock.markPrioritySet(2, true);  // pressed, then renumbered by the file
    lock.markPrioritySet(3, true);
    lock.markCreated(3, true);
    EXPECT_EQ(lock.take().stack.quiet, (std::set<std::int32_t>{3}));
    EXPECT_TRUE(lock.take().stack.quiet.empty());
}

}  // namespace
}  // namespace yorimemo::motelib
