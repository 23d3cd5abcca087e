#pragma once
// Scans of multi-byte text (Shift-JIS and the like) that never split a double-byte character:
// its second byte may look like a backslash, a dot or anything else of ASCII.

#include <cstddef>
#include <string_view>

#include "notes/text_encoding.h"

namespace yorimemo {

using LeadBytePredicate = bool (*)(unsigned char byte);

// For code pages without double-byte characters.
inline bool NoLeadBytes(unsigned char) {
    return false;
}

// Length of the character that starts at `pos`; a lead byte at the very end stands alone.
std::size_t CharLength(std::string_view text, std::size_t pos, LeadBytePredicate isLeadByte);

// Length of the character of the note file that starts at `pos`. In code page 932 a lead byte
// pairs only with a byte that can follow it, as the system's conversion reads it; otherwise it
// stands alone. In UTF-8 every byte is a step of its own: no ASCII byte occurs inside a character,
// so scans for ASCII bytes need not group them, and invalid sequences need no special case.
std::size_t FileCharLength(std::string_view text, std::size_t pos, TextEncoding encoding);

// The longest prefix of at most `limit` bytes that does not split a character.
std::string_view PrefixWithin(std::string_view text, std::size_t limit,
                              LeadBytePredicate isLeadByte);

}  // namespace yorimemo
