#include "notes/text_escape.h"

namespace yorimemo {
namespace {

bool isLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

bool isTrailByte(unsigned char c) {
    return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}

}  // namespace

std::string escapeLineBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            out += "\\n";
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += c;
        }
    }
    return out;
}

std::string unescapeLineBreaks(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    std::size_t i = 0;
    while (i < value.size()) {
        const auto c = static_cast<unsigned char>(value[i]);
        const bool hasNext = i + 1 < value.size();
        if (isLeadByte(c) && hasNext && isTrailByte(static_cast<unsigned char>(value[i + 1]))) {
            out.append(value.substr(i, 2));
            i += 2;
        } else if (c == '\\' && hasNext && value[i + 1] == 'n') {
            out += "\r\n";
            i += 2;
        } else {
            out += value[i];
            ++i;
        }
    }
    return out;
}

}  // namespace yorimemo
