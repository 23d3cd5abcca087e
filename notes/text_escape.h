#pragma once
// A note's line breaks in the settings file: CR LF in memory, a backslash and "n" in the file.

#include <string>
#include <string_view>

#include "notes/text_encoding.h"

namespace yorimemo {

// Every line break becomes "\n": CR LF, and also a lone CR or a lone LF, so that no text can
// break out of its line in the file.
std::string escapeLineBreaks(std::string_view text);

// Each "\n" becomes CR LF, except in a Shift-JIS file where the backslash is the second byte of a
// double-byte character (as in the katakana "so", 83 5C). In UTF-8 every 5C is a backslash.
// Nothing else is an escape.
std::string unescapeLineBreaks(std::string_view value, TextEncoding encoding);

}  // namespace yorimemo
