#pragma once
// Where a note's dialog opens: at the card as shown, kept inside that card's monitor.

#include <cstdint>

#include "notes/note_table.h"

namespace yorimemo {

struct DialogOrigin {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// The card's position raised to the area's left and top edge, then pulled back so that a dialog
// of the given size (screen pixels, frame included) ends at the area's right and bottom edge at
// the latest. No second raise follows: a dialog larger than the area starts before it.
DialogOrigin PlaceDialog(std::int32_t noteX, std::int32_t noteY, std::int32_t width,
                         std::int32_t height, const ScreenRect& area);

// The work area of the monitor the card is shown on; without any known, the desktop from 0, 0.
ScreenRect DialogArea(const NoteTable& table, int slot);

}  // namespace yorimemo
