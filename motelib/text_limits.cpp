#include "motelib/text_limits.h"

#include "text/shift_jis.h"
#include "text/utf16.h"

namespace yorimemo::motelib {

std::string_view shownText(std::string_view text) {
    return ShiftJisPrefixWithin(text, kMaxShownTextBytes);
}

std::wstring_view shownText(std::wstring_view text) {
    return PrefixWithin(text, kMaxShownTextUnits);
}

}  // namespace yorimemo::motelib
