#pragma once
// The mouse events mote.dll sends to the attached window as WM_COPYDATA. The payload is text in
// the system code page, four lines each ended by CR LF: event name, mote id, pointer x, pointer y.
// The position is in screen coordinates, so it does not move with the mote. No zero byte is sent.

#include <cstdint>
#include <string>
#include <string_view>

namespace yorimemo::motelib {

inline constexpr std::string_view kEventLButtonDown = "OnMoteLButtonDown";
// A left press on the card's right edge: the drag that follows changes its width, not its place.
inline constexpr std::string_view kEventEdgeLButtonDown = "OnMoteEdgeLButtonDown";
inline constexpr std::string_view kEventMouseMove = "OnMoteMouseMove";
inline constexpr std::string_view kEventLButtonUp = "OnMoteLButtonUp";
inline constexpr std::string_view kEventRButtonUp = "OnMoteRButtonUp";
inline constexpr std::string_view kEventLButtonDoubleClick = "OnMoteLButtonDoubleClick";
// The mote's window reached a monitor of another scale: x and y hold that monitor's horizontal
// and vertical pixels per inch instead of a position.
inline constexpr std::string_view kEventDpiChanged = "OnMoteDpiChanged";

struct PointerEvent {
    std::string_view name;
    std::int32_t id = -1;
    std::int32_t x = 0;
    std::int32_t y = 0;

    bool operator==(const PointerEvent& other) const {
        return name == other.name && id == other.id && x == other.x && y == other.y;
    }
};

inline std::string formatEvent(const PointerEvent& event) {
    std::string text(event.name);
    for (const std::int32_t value : {event.id, event.x, event.y}) {
        text += "\r\n";
        text += std::to_string(value);
    }
    text += "\r\n";
    return text;
}

}  // namespace yorimemo::motelib
