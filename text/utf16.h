#pragma once
// Scans of UTF-16 text (the system's wide strings) that never split a character: a surrogate pair
// is one character.

#include <cstddef>
#include <string>
#include <string_view>

namespace yorimemo {

// Length in units of the character that starts at `pos`: 2 for a whole surrogate pair, else 1.
std::size_t CharLength(std::wstring_view text, std::size_t pos);

// The longest prefix of at most `limit` units that does not split a surrogate pair.
std::wstring_view PrefixWithin(std::wstring_view text, std::size_t limit);

// UTF-8 as UTF-16 units (one wchar_t each, also where wchar_t is wider); a byte that starts no
// valid sequence reads as U+FFFD.
std::wstring Utf16FromUtf8(std::string_view utf8);

}  // namespace yorimemo
