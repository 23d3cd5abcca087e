#include "motelib/pointer_tracker.h"

#include <gtest/gtest.h>

namespace yorimemo::motelib {
namespace {

TEST(PointerTrackerTest, DragReportsChangedPointsOfThePressedMoteUntilRelease) {
    PointerTracker tracker;
    EXPECT_EQ(tracker.press(7, 100, 100), (PointerEvent{kEventLButtonDown, 7, 100, 100}));
    EXPECT_TRUE(tracker.dragging(7));
    // The mote moved under a still pointer: same screen point, nothing to report.
    EXPECT_FALSE(tracker.moveTo(7, 100, 100).has_value());
    EXPECT_EQ(tracker.moveTo(7, 110, 95), (PointerEvent{kEventMouseMove, 7, 110, 95}));
    EXPECT_FALSE(tracker.moveTo(7, 110, 95).has_value());
    EXPECT_FALSE(tracker.moveTo(8, 120, 95).has_value()) << "not the dragged mote";
    EXPECT_EQ(tracker.moveTo(7, -30, 95), (PointerEvent{kEventMouseMove, 7, -30, 95}));
    EXPECT_EQ(tracker.release(7, -30, 96), (PointerEvent{kEventLButtonUp, 7, -30, 96}));
    EXPECT_FALSE(tracker.dragging(7));
    EXPECT_FALSE(tracker.moveTo(7, 0, 0).has_value());
    EXPECT_FALSE(tracker.captureLost(7, 0, 0).has_value()) << "the release already ended it";
}

TEST(PointerTrackerTest, ReleaseIsReportedWithoutADragAndLeavesAnotherMotesDragAlone) {
    PointerTracker tracker;
    EXPECT_EQ(tracker.release(3, 5, 6), (PointerEvent{kEventLButtonUp, 3, 5, 6}));
    tracker.press(4, 0, 0);
    tracker.release(3, 1, 1);
    EXPECT_TRUE(tracker.dragging(4));
}

TEST(PointerTrackerTest, LosingTheCaptureEndsTheDragWithOneRelease) {
    PointerTracker tracker;
    tracker.press(2, 10, 10);
    EXPECT_FALSE(tracker.captureLost(5, 1, 1).has_value());
    EXPECT_EQ(tracker.captureLost(2, 40, 50), (PointerEvent{kEventLButtonUp, 2, 40, 50}));
    EXPECT_FALSE(tracker.captureLost(2, 40, 50).has_value());
    EXPECT_FALSE(tracker.moveTo(2, 60, 60).has_value());
}

TEST(PointerTrackerTest, ADeletedMotesDragEndsSilently) {
    PointerTracker tracker;
    tracker.press(0, 10, 10);
    tracker.forget(1);
    EXPECT_TRUE(tracker.dragging(0));
    tracker.forget(0);
    EXPECT_FALSE(tracker.moveTo(0, 20, 20).has_value());
    EXPECT_FALSE(tracker.captureLost(0, 20, 20).has_value());

    // Rebuilt: the mote that took over the window goes on from the last point reported.
    tracker.takeOver(3);
    EXPECT_FALSE(tracker.moveTo(3, 10, 10).has_value());
    EXPECT_EQ(tracker.moveTo(3, 30, 10), (PointerEvent{kEventMouseMove, 3, 30, 10}));
}

TEST(PointerTrackerTest, RightReleaseAndDoubleClickDoNotTouchTheDrag) {
    PointerTracker tracker;
    tracker.press(1, 0, 0);
    EXPECT_EQ(tracker.rightRelease(9, 3, 4), (PointerEvent{kEventRButtonUp, 9, 3, 4}));
    EXPECT_EQ(tracker.doubleClick(9, 3, 4), (PointerEvent{kEventLButtonDoubleClick, 9, 3, 4}));
    EXPECT_EQ(tracker.moveTo(1, 1, 0), (PointerEvent{kEventMouseMove, 1, 1, 0}));
}

TEST(PointerTrackerTest, EventTextIsNameIdXYEachEndedByCrLf) {
    EXPECT_EQ(formatEvent({kEventLButtonDown, 7, -5, 100}),
              "OnMoteLButtonDown\r\n7\r\n-5\r\n100\r\n");
    EXPECT_EQ(formatEvent({kEventLButtonDoubleClick, 0, -2147483647 - 1, 2147483647}),
              "OnMoteLButtonDoubleClick\r\n0\r\n-2147483648\r\n2147483647\r\n");
}

}  // namespace
}  // namespace yorimemo::motelib
