#pragma once
// The longest prefix of a text that fits a limit without splitting a character, for any encoding
// that can tell the length of the character at a position.

#include <cstddef>
#include <string_view>

namespace yorimemo {

template <typename Char, typename CharLength>
constexpr std::basic_string_view<Char> PrefixWithin(std::basic_string_view<Char> text,
                                                    std::size_t limit, CharLength charLength) {
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t next = end + charLength(text, end);
        if (next > limit) break;
        end = next;
    }
    return text.substr(0, end);
}

}  // namespace yorimemo
