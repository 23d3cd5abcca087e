#pragma once
// How much of a text a card can show. A note may hold megabytes; laying all of it out would
// stall the program for minutes and ask for a bitmap no screen can show, so only the part that
// can ever appear is measured and drawn.

#include <cstddef>
#include <string_view>

namespace yorimemo::motelib {

// Far more than a card taller than any screen holds: bytes of code page 932 text, or UTF-16
// units of wide text.
inline constexpr std::size_t kMaxShownTextBytes = 32 * 1024;
inline constexpr std::size_t kMaxShownTextUnits = 32 * 1024;
// A measured text is never reported taller than this, so the card it sizes stays drawable.
inline constexpr int kMaxTextBottom = 8192;

// The leading part of code page 932 `text` that is measured and drawn: at most
// kMaxShownTextBytes, never ending inside a double-byte character.
std::string_view shownText(std::string_view text);

// The same for UTF-16 text: at most kMaxShownTextUnits, never ending inside a surrogate pair.
std::wstring_view shownText(std::wstring_view text);

}  // namespace yorimemo::motelib
