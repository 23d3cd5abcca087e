#pragma once
// The right edge of a card is its width handle. Its breadth is decided here only, for the hit
// test, the cursor and the tests alike.

#include <cstdint>

namespace yorimemo::motelib {

// Pixels of the handle at 100 % (96 pixels per inch).
inline constexpr std::int32_t kResizeEdgeAt96 = 6;

// The handle's breadth on a window drawn for `dpi` pixels per inch, rounded to the nearest and at
// least one pixel; a value no screen uses counts as 96.
std::int32_t resizeEdgeWidth(std::int32_t dpi);

// Whether a point `clientX` pixels from the window's left edge lies on the handle of a window
// `clientWidth` pixels wide. A window narrower than two handles has none: it can still be moved.
bool onResizeEdge(std::int32_t clientX, std::int32_t clientWidth, std::int32_t dpi);

}  // namespace yorimemo::motelib
