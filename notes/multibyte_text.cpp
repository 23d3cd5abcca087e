#include "notes/multibyte_text.h"

#include "text/shift_jis.h"

namespace yorimemo {

std::size_t FileCharLength(std::string_view text, std::size_t pos, TextEncoding encoding) {
    if (encoding == TextEncoding::kUtf8 || pos + 1 >= text.size()) return 1;
    return ShiftJisCharLength(text, pos);
}

}  // namespace yorimemo
