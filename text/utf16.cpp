#include "text/utf16.h"

namespace yorimemo {

namespace {

bool isHighSurrogate(wchar_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool isLowSurrogate(wchar_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

}  // namespace

std::size_t CharLength(std::wstring_view text, std::size_t pos) {
    const bool pair =
        isHighSurrogate(text[pos]) && pos + 1 < text.size() && isLowSurrogate(text[pos + 1]);
    return pair ? 2 : 1;
}

std::wstring_view PrefixWithin(std::wstring_view text, std::size_t limit) {
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t next = end + CharLength(text, end);
        if (next > limit) break;
        end = next;
    }
    return text.substr(0, end);
}

}  // namespace yorimemo
