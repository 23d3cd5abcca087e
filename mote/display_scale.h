#pragma once
// Stored places and sizes are pixels at 100 % (96 pixels per inch); a screen at another scale
// shows them multiplied by its pixels per inch over 96. Places follow the system's scale, a
// card's size and text the scale of the monitor it is on.

#include <cstdint>
#include <vector>

#include "notes/note_table.h"

namespace yorimemo {

inline constexpr std::int32_t kBaseDpi = 96;

// value * numerator / denominator rounded to the nearest, halves away from zero, clamped to 32
// bits; the value itself when the denominator is 0.
std::int32_t mulDivRounded(std::int32_t value, std::int32_t numerator, std::int32_t denominator);

// A value the system or a message reports as pixels per inch, or 96 when it is none that a
// screen uses (0, negative, absurdly large).
std::int32_t usableDpi(std::int32_t dpi);

// Stored to shown and back; unscale(scale(v)) == v at 96 pixels per inch and above.
std::int32_t scaleToDpi(std::int32_t value, std::int32_t dpi);
std::int32_t unscaleFromDpi(std::int32_t value, std::int32_t dpi);

// Where a stored place shows at the system's scale `dpi`: on the pixel the card was dropped on at
// that scale while that pixel still gives the stored place back, else the stored place scaled.
std::int32_t shownPlace(std::int32_t stored, std::int32_t dropped, std::int32_t droppedDpi,
                        std::int32_t dpi);

// The pixels per inch of the monitor a shown rectangle is on: the work area it overlaps most,
// else the nearest, as card placement chooses it; the system's when that monitor's is unknown.
std::int32_t monitorDpi(const ScreenRect& shown, const std::vector<WorkArea>& workAreas,
                        std::int32_t systemDpi);

// The monitor a note's card goes on, judged by its stored place and width at the system's scale
// and its last height (the default height before its first draw).
std::int32_t cardDpi(const NoteTable& table, const NoteSlot& note);

}  // namespace yorimemo
