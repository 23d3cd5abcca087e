#include "notes/multibyte_text.h"

namespace yorimemo {
namespace {

bool isShiftJisLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

bool isShiftJisTrailByte(unsigned char c) {
    return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}

}  // namespace

std::size_t FileCharLength(std::string_view text, std::size_t pos, TextEncoding encoding) {
    if (encoding == TextEncoding::kUtf8 || pos + 1 >= text.size()) return 1;
    const bool pair = isShiftJisLeadByte(static_cast<unsigned char>(text[pos])) &&
                      isShiftJisTrailByte(static_cast<unsigned char>(text[pos + 1]));
    return pair ? 2 : 1;
}

}  // namespace yorimemo
