// The width handle on a card's right edge: where a press lands on it, what the library then
// tells the host, and the width a drag from it gives.
#include "host/width_drag.h"

#include <gtest/gtest.h>

#include "host/event_message.h"
#include "motelib/pointer_tracker.h"
#include "motelib/resize_edge.h"

namespace yorimemo {
namespace {

struct EdgeCase {
    std::int32_t dpi;
    std::int32_t shownWidth;  // the card's window
    std::int32_t clientX;     // the press
    bool onEdge;
    std::int32_t startWidth;  // stored, at 100 %
    std::int32_t dx;          // screen pixels from the press
    std::int32_t width;       // stored after the drag
};

class WidthDragTest : public ::testing::TestWithParam<EdgeCase> {};

TEST_P(WidthDragTest, AnEdgePressIsToldAsOneAndTheDragGivesALimitedWidth) {
    const EdgeCase& row = GetParam();
    EXPECT_EQ(motelib::onResizeEdge(row.clientX, row.shownWidth, row.dpi), row.onEdge);
    EXPECT_EQ(draggedWidth(row.startWidth, row.dx, row.dpi), row.width);

    motelib::PointerTracker tracker;
    EventFields fields;
    splitEventMessage(motelib::formatEvent(tracker.press(3, 500 + row.clientX, 40, row.onEdge)),
                      fields);
    EXPECT_EQ(*fields.lines[0], row.onEdge ? "OnMoteEdgeLButtonDown" : "OnMoteLButtonDown");
    EXPECT_EQ(*fields.lines[1], "3");
    EXPECT_EQ(*fields.lines[2], std::to_string(500 + row.clientX));
    EXPECT_EQ(tracker.resizing(3), row.onEdge);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WidthDragTest,
    ::testing::Values(
        // 100 %: the last 6 pixels; a drag adds what the pointer moved.
        EdgeCase{96, 300, 294, true, 300, 50, 350}, EdgeCase{96, 300, 293, false, 300, -7, 293},
        EdgeCase{96, 300, 300, false, 300, 0, 300},
        // Kept within 100 and 1000.
        EdgeCase{96, 300, 299, true, 300, -250, 100}, EdgeCase{96, 300, 299, true, 300, 800, 1000},
        // 150 %: 9 pixels, and screen pixels count two thirds.
        EdgeCase{144, 450, 441, true, 300, 30, 320}, EdgeCase{144, 450, 440, false, 300, 1, 301},
        // 125 %: 7.5 rounds to 8.
        EdgeCase{120, 375, 367, true, 300, 10, 308}, EdgeCase{120, 375, 366, false, 300, 0, 300},
        // 200 %, and widths stored outside the limits come within them once dragged.
        EdgeCase{192, 600, 588, true, 1500, -10, 1000},
        EdgeCase{192, 2400, 2387, false, 50, 2, 100},
        // A window too narrow for a handle is moved only; no scale a screen has counts as 100 %.
        EdgeCase{96, 11, 8, false, 5, 0, 100}, EdgeCase{0, 300, 294, true, 300, 2000000000, 1000}));

}  // namespace
}  // namespace yorimemo
