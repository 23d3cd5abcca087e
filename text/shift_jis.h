#pragma once
// Shift-JIS (code page 932) as the note file and the library's older text calls hold it: a lead
// byte pairs with the byte after it only when that byte can follow it, as the system's conversion
// reads it; any other byte stands alone. A second byte may look like a backslash, a bracket or any
// other ASCII character, so every scan for ASCII goes character by character.

#include <cstddef>
#include <string_view>

#include "text/prefix_within.h"

namespace yorimemo {

// Named, never the system's ANSI code page: the text is Shift-JIS on every Windows.
inline constexpr unsigned kShiftJisCodePage = 932;

constexpr bool isShiftJisLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

constexpr bool isShiftJisTrailByte(unsigned char c) {
    return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}

// Length in bytes of the character that starts at `pos`.
constexpr std::size_t ShiftJisCharLength(std::string_view text, std::size_t pos) {
    const bool pair = pos + 1 < text.size() &&
                      isShiftJisLeadByte(static_cast<unsigned char>(text[pos])) &&
                      isShiftJisTrailByte(static_cast<unsigned char>(text[pos + 1]));
    return pair ? 2 : 1;
}

// The longest prefix of at most `limit` bytes that does not split a character.
constexpr std::string_view ShiftJisPrefixWithin(std::string_view text, std::size_t limit) {
    return PrefixWithin(text, limit, ShiftJisCharLength);
}

}  // namespace yorimemo
