#pragma once
// Scans of the note file's text that never split a double-byte character: in Shift-JIS its second
// byte may look like a backslash, a bracket or anything else of ASCII.

#include <cstddef>
#include <string_view>

#include "notes/text_encoding.h"

namespace yorimemo {

// Length of the character of the note file that starts at `pos`. In code page 932 a lead byte
// pairs only with a byte that can follow it, as the system's conversion reads it; otherwise it
// stands alone. In UTF-8 every byte is a step of its own: no ASCII byte occurs inside a character,
// so scans for ASCII bytes need not group them, and invalid sequences need no special case.
std::size_t FileCharLength(std::string_view text, std::size_t pos, TextEncoding encoding);

}  // namespace yorimemo
