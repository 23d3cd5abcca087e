#include "host/dialog_placement.h"

#include <gtest/gtest.h>

#include <limits>

namespace yorimemo {
namespace {

constexpr std::int32_t kRight = 1920;
constexpr std::int32_t kBottom = 1080;

DialogOrigin PlaceDialog(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                         std::int32_t right, std::int32_t bottom) {
    return yorimemo::PlaceDialog(x, y, width, height, ScreenRect{0, 0, right, bottom});
}

TEST(DialogPlacementTest, NoteInsideTheDesktopKeepsItsPosition) {
    const DialogOrigin origin = PlaceDialog(100, 200, 330, 250, kRight, kBottom);
    EXPECT_EQ(origin.x, 100);
    EXPECT_EQ(origin.y, 200);
}

TEST(DialogPlacementTest, NegativePositionsStartAtZero) {
    const DialogOrigin origin = PlaceDialog(-20, -1, 330, 250, kRight, kBottom);
    EXPECT_EQ(origin.x, 0);
    EXPECT_EQ(origin.y, 0);
}

TEST(DialogPlacementTest, PulledBackToTheRightAndBottomEdges) {
    const DialogOrigin below = PlaceDialog(-20, 5000, 330, 250, kRight, kBottom);
    EXPECT_EQ(below.x, 0);
    EXPECT_EQ(below.y, kBottom - 250);

    EXPECT_EQ(PlaceDialog(1800, 100, 330, 250, kRight, kBottom).x, 1590);
}

TEST(DialogPlacementTest, ExactFitStays) {
    const DialogOrigin origin = PlaceDialog(kRight - 330, kBottom - 250, 330, 250, kRight, kBottom);
    EXPECT_EQ(origin.x, kRight - 330);
    EXPECT_EQ(origin.y, kBottom - 250);
    // One pixel more and it moves.
    EXPECT_EQ(PlaceDialog(kRight - 329, 0, 330, 250, kRight, kBottom).x, kRight - 330);
}

TEST(DialogPlacementTest, DialogLargerThanTheDesktopGoesNegative) {
    const DialogOrigin origin = PlaceDialog(-50, -50, 2000, 1200, kRight, kBottom);
    EXPECT_EQ(origin.x, kRight - 2000);
    EXPECT_EQ(origin.y, kBottom - 1200);
}

TEST(DialogPlacementTest, ExtremePositionsDoNotOverflow) {
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    const DialogOrigin far = PlaceDialog(kMax, kMax, 330, 250, kRight, kBottom);
    EXPECT_EQ(far.x, kRight - 330);
    EXPECT_EQ(far.y, kBottom - 250);
    const DialogOrigin near = PlaceDialog(kMin, kMin, 330, 250, kRight, kBottom);
    EXPECT_EQ(near.x, 0);
    EXPECT_EQ(near.y, 0);
    // An edge far below zero with a wide dialog: the result stays in range.
    EXPECT_EQ(PlaceDialog(0, 0, kMax, 10, kMin, kBottom).x, kMin);
}

TEST(DialogPlacementTest, KeptInsideTheMonitorOfTheCardAsShown) {
    NoteTable table;
    table.desktopRight = kRight;
    table.desktopBottom = kBottom;
    NoteSlot& note = table.slots[2];
    note.shownX = -1500;  // on a monitor left of the primary one
    note.shownY = 900;
    note.cardWidth = 300;  // as shown
    note.cardHeight = 50;
    const ScreenRect left{-1600, 0, 0, 1000};
    EXPECT_EQ(DialogArea(table, 2).right, kRight) << "no monitor known: the desktop";
    table.workAreas = {{{0, 0, kRight, 1040}, 96}, {left, 144}};
    const ScreenRect area = DialogArea(table, 2);
    EXPECT_EQ(area.left, left.left);
    const DialogOrigin origin = yorimemo::PlaceDialog(note.shownX, note.shownY, 330, 250, area);
    EXPECT_EQ(origin.x, -1500);
    EXPECT_EQ(origin.y, 1000 - 250);
}

}  // namespace
}  // namespace yorimemo
