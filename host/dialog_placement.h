#pragma once
// Where a note's dialog opens: at the note, kept inside the desktop's right and bottom edges.

#include <cstdint>

namespace yorimemo {

struct DialogOrigin {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// The note's position with negatives raised to 0, then pulled back so that a dialog of the given
// size (screen pixels, frame included) ends at the desktop's right and bottom edge at the latest.
// No second raise follows: a dialog larger than the desktop gets a negative coordinate.
DialogOrigin PlaceDialog(std::int32_t noteX, std::int32_t noteY, std::int32_t width,
                         std::int32_t height, std::int32_t desktopRight,
                         std::int32_t desktopBottom);

}  // namespace yorimemo
