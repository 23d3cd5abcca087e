#pragma once
// A drag on a card's right edge sets the note's width, kept within what a card may be. Widths
// are pixels at 100 %; a stored width outside the limits stays as it is until it is dragged.

#include <cstdint>

namespace yorimemo {

inline constexpr std::int32_t kMinNoteWidth = 100;
inline constexpr std::int32_t kMaxNoteWidth = 1000;

// The note's width once the pointer has moved `shownDx` screen pixels since the press, on a card
// drawn for `dpi` pixels per inch that was `startWidth` wide at the press. Measured from the
// press, not step by step, so the rounding of one step never adds up.
std::int32_t draggedWidth(std::int32_t startWidth, std::int32_t shownDx, std::int32_t dpi);

}  // namespace yorimemo
