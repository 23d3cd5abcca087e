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

std::wstring_view shownText(std::wstring_view text) {
    if (text.size() <= kMaxShownTextUnits) return text;
    // Only the last unit kept can start a pair that the cut would split.
    const wchar_t last = text[kMaxShownTextUnits - 1];
    const bool splitsPair = last >= 0xD800 && last <= 0xDBFF;
    return text.substr(0, splitsPair ? kMaxShownTextUnits - 1 : kMaxShownTextUnits);
}

}  // namespace yorimemo::motelib
