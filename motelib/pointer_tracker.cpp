#include "motelib/pointer_tracker.h"

namespace yorimemo::motelib {

PointerEvent PointerTracker::press(std::int32_t id, std::int32_t x, std::int32_t y, bool onEdge) {
    dragged_ = id;
    onEdge_ = onEdge;
    lastX_ = x;
    lastY_ = y;
    return {onEdge ? kEventEdgeLButtonDown : kEventLButtonDown, id, x, y};
}

std::optional<PointerEvent> PointerTracker::moveTo(std::int32_t id, std::int32_t x,
                                                   std::int32_t y) {
    if (!dragging(id) || (x == lastX_ && y == lastY_)) return std::nullopt;
    lastX_ = x;
    lastY_ = y;
    return PointerEvent{kEventMouseMove, id, x, y};
}

PointerEvent PointerTracker::release(std::int32_t id, std::int32_t x, std::int32_t y) {
    if (dragging(id)) dragged_ = -1;
    return {kEventLButtonUp, id, x, y};
}

std::optional<PointerEvent> PointerTracker::captureLost(std::int32_t id, std::int32_t x,
                                                        std::int32_t y) {
    if (!dragging(id)) return std::nullopt;
    dragged_ = -1;
    return PointerEvent{kEventLButtonUp, id, x, y};
}

PointerEvent PointerTracker::rightRelease(std::int32_t id, std::int32_t x, std::int32_t y) const {
    return {kEventRButtonUp, id, x, y};
}

PointerEvent PointerTracker::doubleClick(std::int32_t id, std::int32_t x, std::int32_t y) const {
    return {kEventLButtonDoubleClick, id, x, y};
}

void PointerTracker::forget(std::int32_t id) {
    if (dragging(id)) dragged_ = -1;
}

}  // namespace yorimemo::motelib
