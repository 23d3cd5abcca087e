#include "mote/display_scale.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "mote/card_placement.h"

namespace yorimemo {

namespace {

// 500 % is the largest scale the system offers; a little room beyond it for what may come.
constexpr std::int32_t kMinDpi = 48;
constexpr std::int32_t kMaxDpi = kBaseDpi * 8;

std::int32_t clamped(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

std::int32_t edge(std::int32_t from, std::int32_t size) {
    return clamped(std::int64_t{from} + std::max(size, 0));
}

}  // namespace

std::int32_t mulDivRounded(std::int32_t value, std::int32_t numerator, std::int32_t denominator) {
    if (denominator == 0) return value;
    // Both factors fit in 32 bits, so the product fits in 64.
    const std::int64_t product = std::int64_t{value} * numerator;
    const std::int64_t divisor = std::llabs(denominator);
    const std::int64_t magnitude = (std::llabs(product) + divisor / 2) / divisor;
    const bool negative = (product < 0) != (denominator < 0);
    return clamped(negative ? -magnitude : magnitude);
}

std::int32_t usableDpi(std::int32_t dpi) {
    return dpi >= kMinDpi && dpi <= kMaxDpi ? dpi : kBaseDpi;
}

std::int32_t scaleToDpi(std::int32_t value, std::int32_t dpi) {
    return mulDivRounded(value, usableDpi(dpi), kBaseDpi);
}

std::int32_t unscaleFromDpi(std::int32_t value, std::int32_t dpi) {
    return mulDivRounded(value, kBaseDpi, usableDpi(dpi));
}

std::int32_t shownPlace(std::int32_t stored, std::int32_t dropped, std::int32_t droppedDpi,
                        std::int32_t dpi) {
    if (droppedDpi != 0 && droppedDpi == dpi && unscaleFromDpi(dropped, dpi) == stored) {
        return dropped;
    }
    return scaleToDpi(stored, dpi);
}

std::int32_t monitorDpi(const ScreenRect& shown, const std::vector<WorkArea>& workAreas,
                        std::int32_t systemDpi) {
    const std::optional<WorkArea> monitor = nearestWorkArea(shown, workAreas);
    return usableDpi(monitor && monitor->dpi != 0 ? monitor->dpi : systemDpi);
}

std::int32_t cardDpi(const NoteTable& table, const NoteSlot& note) {
    const std::int32_t x = scaleToDpi(note.x, table.systemDpi);
    const std::int32_t y = scaleToDpi(note.y, table.systemDpi);
    const std::int32_t height =
        note.cardHeight > 0 ? note.cardHeight : scaleToDpi(table.defaultHeight, table.systemDpi);
    const ScreenRect shown{x, y, edge(x, scaleToDpi(note.width, table.systemDpi)), edge(y, height)};
    return monitorDpi(shown, table.workAreas, table.systemDpi);
}

}  // namespace yorimemo
