#pragma once
// UTF-8 read one character at a time, strictly: what is not a well-formed character is a single
// byte that each reader replaces in its own way.

#include <cstddef>
#include <string_view>

namespace yorimemo {

struct Utf8Char {
    char32_t code;       // the character; for a byte that starts none, that byte
    std::size_t length;  // in bytes; 1 where `valid` is false
    bool valid;          // false for a stray or cut sequence, an overlong form, a surrogate, or
                         // a value past U+10FFFF
};

// The character that starts at `pos` (< utf8.size()).
Utf8Char Utf8CharAt(std::string_view utf8, std::size_t pos);

}  // namespace yorimemo
