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

std::wstring Utf16FromUtf8(std::string_view utf8) {
    std::wstring units;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[pos]);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        char32_t code = length == 1 ? lead : lead & (0x7F >> length);
        bool valid = lead < 0x80 || (lead >= 0xC2 && lead <= 0xF4 && pos + length <= utf8.size());
        for (std::size_t i = 1; valid && i < length; ++i) {
            const auto next = static_cast<unsigned char>(utf8[pos + i]);
            valid = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not characters.
        const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
        valid =
            valid && code >= least[length] && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
        if (!valid) {
            units.push_back(static_cast<wchar_t>(0xFFFD));
            ++pos;
            continue;
        }
        if (code >= 0x10000) {
            units.push_back(static_cast<wchar_t>(0xD800 + ((code - 0x10000) >> 10)));
            units.push_back(static_cast<wchar_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
        } else {
            units.push_back(static_cast<wchar_t>(code));
        }
        pos += length;
    }
    return units;
}

}  // namespace yorimemo
