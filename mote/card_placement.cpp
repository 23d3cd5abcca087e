#include "mote/card_placement.h"

#include <algorithm>
#include <limits>

namespace yorimemo {

namespace {

// Positions and sizes come from a hand-editable file: all arithmetic is done in 64 bits.
struct Box {
    std::int64_t left, top, right, bottom;
};

Box boxOf(const ScreenRect& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

bool contains(const Box& area, const Box& card) {
    return card.left >= area.left && card.top >= area.top && card.right <= area.right &&
           card.bottom <= area.bottom;
}

std::int64_t overlap(const Box& a, const Box& b) {
    const std::int64_t width = std::min(a.right, b.right) - std::max(a.left, b.left);
    const std::int64_t height = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
    return width > 0 && height > 0 ? width * height : 0;
}

// The gap between two boxes along one axis; 0 where they meet or overlap.
std::int64_t gap(std::int64_t lowA, std::int64_t highA, std::int64_t lowB, std::int64_t highB) {
    return std::max<std::int64_t>({0, lowB - highA, lowA - highB});
}

// How far the card has to travel to touch the area, across and down.
std::int64_t distance(const Box& a, const Box& b) {
    return gap(a.left, a.right, b.left, b.right) + gap(a.top, a.bottom, b.top, b.bottom);
}

// The least move along one axis that brings [low, low + size) into [areaLow, areaHigh); the
// low edge wins when the card is the larger.
std::int64_t fitAxis(std::int64_t low, std::int64_t size, std::int64_t areaLow,
                     std::int64_t areaHigh) {
    if (low + size > areaHigh) low = areaHigh - size;
    return std::max(low, areaLow);
}

std::int32_t clamped(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

std::optional<WorkArea> nearestWorkArea(const ScreenRect& card,
                                        const std::vector<WorkArea>& workAreas) {
    const Box box = boxOf(card);
    const WorkArea* best = nullptr;
    std::int64_t bestOverlap = 0;
    std::int64_t bestDistance = std::numeric_limits<std::int64_t>::max();
    for (const WorkArea& area : workAreas) {
        const std::int64_t shared = overlap(box, boxOf(area.area));
        const std::int64_t away = shared > 0 ? 0 : distance(box, boxOf(area.area));
        if (shared > bestOverlap || (bestOverlap == 0 && shared == 0 && away < bestDistance)) {
            best = &area;
            bestOverlap = shared;
            bestDistance = away;
        }
    }
    if (best == nullptr) return std::nullopt;
    return *best;
}

CardOrigin fitOnScreen(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                       const std::vector<WorkArea>& workAreas) {
    const std::int64_t w = std::max<std::int32_t>(width, 0);
    const std::int64_t h = std::max<std::int32_t>(height, 0);
    const Box card{x, y, x + w, y + h};
    for (const WorkArea& area : workAreas) {
        if (contains(boxOf(area.area), card)) return {x, y};
    }
    const ScreenRect cardRect{x, y, clamped(card.right), clamped(card.bottom)};
    const std::optional<WorkArea> monitor = nearestWorkArea(cardRect, workAreas);
    if (!monitor) return {x, y};
    const ScreenRect& area = monitor->area;
    return {clamped(fitAxis(x, w, area.left, area.right)),
            clamped(fitAxis(y, h, area.top, area.bottom))};
}

}  // namespace yorimemo
