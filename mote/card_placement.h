#pragma once
// Where a card is shown: at its stored place when that lies wholly on a monitor, else moved the
// least distance that brings it wholly onto the nearest monitor's work area, so a note stored on
// a monitor that has gone (unplugged, undocked, a lower resolution) can still be reached.

#include <cstdint>
#include <optional>
#include <vector>

#include "notes/note_table.h"

namespace yorimemo {

struct CardOrigin {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const CardOrigin& other) const { return x == other.x && y == other.y; }
};

// The work area the card lies on most, or nearest to it when it lies on none; none when the
// list is empty.
std::optional<WorkArea> nearestWorkArea(const ScreenRect& card,
                                        const std::vector<WorkArea>& workAreas);

// With no work areas known the stored place is kept. A card larger than the work area keeps its
// left and top edge inside it.
CardOrigin fitOnScreen(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                       const std::vector<WorkArea>& workAreas);

}  // namespace yorimemo
