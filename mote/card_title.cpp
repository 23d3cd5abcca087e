#include "mote/card_title.h"

#include "text/utf16.h"

namespace yorimemo {

std::wstring CardTitle(std::wstring_view text) {
    std::wstring title;
    // One unit more than kept, so that the cut can see a pair split at the limit.
    for (std::size_t i = 0; i < text.size() && title.size() <= kCardTitleUnits; ++i) {
        const wchar_t c = text[i];
        if (c == L'\r' || c == L'\n') {
            if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
            title.push_back(L' ');
        } else {
            title.push_back(c);
        }
    }
    title.resize(PrefixWithin(title, kCardTitleUnits).size());
    return title;
}

}  // namespace yorimemo
