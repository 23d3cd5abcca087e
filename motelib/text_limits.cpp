#include "motelib/text_limits.h"

namespace yorimemo::motelib {

std::string_view shownText(std::string_view text, LeadBytePredicate isLeadByte) {
    if (text.size() <= kMaxShownTextBytes) return text;
    std::size_t end = 0;
    while (end < kMaxShownTextBytes) {
        const std::size_t next = end + (isLeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1);
        if (next > kMaxShownTextBytes) break;
        end = next;
    }
    return text.substr(0, end);
}

}  // namespace yorimemo::motelib
