#include "text/utf16.h"

#include "text/prefix_within.h"

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
    return PrefixWithin(text, limit, [](std::wstring_view units, std::size_t pos) {
        return CharLength(units, pos);
    });
}

}  // namespace yorimemo
