#pragma once
// A note's line breaks in the settings file: CR LF in memory, a backslash and "n" in the file.

#include <string>
#include <string_view>

namespace yorimemo {

// Every line break becomes "\n": CR LF, and also a lone CR or a lone LF, so that no text can
// break out of its line in the file.
std::string escapeLineBreaks(std::string_view text);

// Each "\n" becomes CR LF, except where the backslash is the second byte of a Shift-JIS character
// (as in the katakana "so", 83 5C). Nothing else is an escape.
std::string unescapeLineBreaks(std::string_view value);

}  // namespace yorimemo
