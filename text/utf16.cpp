#include "text/utf16.h"

#include "text/prefix_within.h"
#include "text/utf8.h"

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

std::wstring Utf16FromUtf8(std::string_view utf8) {
    std::wstring units;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const Utf8Char c = Utf8CharAt(utf8, pos);
        pos += c.length;
        if (!c.valid) {
            units.push_back(static_cast<wchar_t>(0xFFFD));
        } else if (c.code >= 0x10000) {
            units.push_back(static_cast<wchar_t>(0xD800 + ((c.code - 0x10000) >> 10)));
            units.push_back(static_cast<wchar_t>(0xDC00 + ((c.code - 0x10000) & 0x3FF)));
        } else {
            units.push_back(static_cast<wchar_t>(c.code));
        }
    }
    return units;
}

}  // namespace yorimemo
