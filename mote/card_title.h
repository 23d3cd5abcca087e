#pragma once
// The name a card's window carries, so that screen readers and window lists can tell the cards
// apart: the note's text on one line, cut short.

#include <cstddef>
#include <string>
#include <string_view>

namespace yorimemo {

inline constexpr std::size_t kCardTitleUnits = 100;

// Each line break (CR LF, CR or LF) becomes one blank; the result is cut at kCardTitleUnits
// UTF-16 units, before a surrogate pair that would be split.
std::wstring CardTitle(std::wstring_view text);

}  // namespace yorimemo
