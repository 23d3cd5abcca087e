#include "host/dialog_placement.h"

#include <algorithm>
#include <limits>

#include "mote/card_placement.h"

namespace yorimemo {

namespace {

// One axis. A note position read from the settings file can be anything, so the sums are done
// in 64 bits and only the result is brought back into range.
std::int32_t PlaceOnAxis(std::int32_t position, std::int32_t extent, std::int32_t start,
                         std::int32_t edge) {
    std::int64_t origin = std::max<std::int32_t>(position, start);
    if (origin + extent > edge) origin = std::int64_t{edge} - extent;
    constexpr std::int64_t kLowest = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t kHighest = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::clamp(origin, kLowest, kHighest));
}

}  // namespace

DialogOrigin PlaceDialog(std::int32_t noteX, std::int32_t noteY, std::int32_t width,
                         std::int32_t height, const ScreenRect& area) {
    return {PlaceOnAxis(noteX, width, area.left, area.right),
            PlaceOnAxis(noteY, height, area.top, area.bottom)};
}

ScreenRect DialogArea(const NoteTable& table, int slot) {
    const NoteSlot& note = table.slots[static_cast<std::size_t>(slot)];
    const auto edge = [](std::int32_t from, std::int32_t size) {
        return static_cast<std::int32_t>(std::clamp<std::int64_t>(
            std::int64_t{from} + std::max(size, 0), std::numeric_limits<std::int32_t>::min(),
            std::numeric_limits<std::int32_t>::max()));
    };
    const ScreenRect card{note.shownX, note.shownY, edge(note.shownX, note.cardWidth),
                          edge(note.shownY, note.cardHeight)};
    const std::optional<WorkArea> monitor = nearestWorkArea(card, table.workAreas);
    return monitor ? monitor->area : ScreenRect{0, 0, table.desktopRight, table.desktopBottom};
}

}  // namespace yorimemo
