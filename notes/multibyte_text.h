#pragma once
// Scans of multi-byte text (Shift-JIS and the like) that never split a double-byte character:
// its second byte may look like a backslash, a dot or anything else of ASCII.

#include <cstddef>
#include <string_view>

namespace yorimemo {

using LeadBytePredicate = bool (*)(unsigned char byte);

// For code pages without double-byte characters.
inline bool NoLeadBytes(unsigned char) {
    return false;
}

// Length of the character that starts at `pos`; a lead byte at the very end stands alone.
std::size_t CharLength(std::string_view text, std::size_t pos, LeadBytePredicate isLeadByte);

// The longest prefix of at most `limit` bytes that does not split a character.
std::string_view PrefixWithin(std::string_view text, std::size_t limit,
                              LeadBytePredicate isLeadByte);

}  // namespace yorimemo
