#include "notes/text_escape.h"

#include "notes/multibyte_text.h"

namespace yorimemo {

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

std::string unescapeLineBreaks(std::string_view value, TextEncoding encoding) {
    std::string out;
    out.reserve(value.size());
    std::size_t i = 0;
    while (i < value.size()) {
        const std::size_t length = FileCharLength(value, i, encoding);
        if (length == 1 && value[i] == '\\' && i + 1 < value.size() && value[i + 1] == 'n') {
            out += "\r\n";
            i += 2;
        } else {
            out.append(value.substr(i, length));
            i += length;
        }
    }
    return out;
}

}  // namespace yorimemo
