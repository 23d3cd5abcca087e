#include "notes/multibyte_text.h"

namespace yorimemo {

std::size_t CharLength(std::string_view text, std::size_t pos, LeadBytePredicate isLeadByte) {
    const auto byte = static_cast<unsigned char>(text[pos]);
    return isLeadByte(byte) && pos + 1 < text.size() ? 2 : 1;
}

std::string_view PrefixWithin(std::string_view text, std::size_t limit,
                              LeadBytePredicate isLeadByte) {
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t next = end + CharLength(text, end, isLeadByte);
        if (next > limit) break;
        end = next;
    }
    return text.substr(0, end);
}

}  // namespace yorimemo
