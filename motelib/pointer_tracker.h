#pragma once
// Turns the mouse messages of mote windows into the events the attached window receives.
// A left press starts a drag of that mote; moves are reported only during it and only when the
// pointer's screen position changed (a mote moving under a still pointer produces moves too).

#include <cstdint>
#include <optional>

#include "motelib/mote_events.h"

namespace yorimemo::motelib {

class PointerTracker {
public:
    // `onEdge`: the press is on the card's width handle.
    PointerEvent press(std::int32_t id, std::int32_t x, std::int32_t y, bool onEdge = false);
    std::optional<PointerEvent> moveTo(std::int32_t id, std::int32_t x, std::int32_t y);
    // Reported for any release over a mote; it ends the drag when there is one.
    PointerEvent release(std::int32_t id, std::int32_t x, std::int32_t y);
    // The drag of this mote ended without a release (capture taken away): report it as one.
    std::optional<PointerEvent> captureLost(std::int32_t id, std::int32_t x, std::int32_t y);
    PointerEvent rightRelease(std::int32_t id, std::int32_t x, std::int32_t y) const;
    PointerEvent doubleClick(std::int32_t id, std::int32_t x, std::int32_t y) const;
    // The mote is gone; a drag of it ends silently.
    void forget(std::int32_t id);
    // A new mote took over the window of the one dragged when it went: the drag goes on with it.
    void takeOver(std::int32_t id) { dragged_ = id; }

    bool dragging(std::int32_t id) const { return dragged_ >= 0 && dragged_ == id; }
    // The drag of this mote began on its width handle.
    bool resizing(std::int32_t id) const { return dragging(id) && onEdge_; }

private:
    std::int32_t dragged_ = -1;
    bool onEdge_ = false;
    std::int32_t lastX_ = 0;
    std::int32_t lastY_ = 0;
};

}  // namespace yorimemo::motelib
