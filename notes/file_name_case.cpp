#include "notes/file_name_case.h"

#include <cstddef>

namespace yorimemo {
namespace {

// Windows compares file names by upper-casing them character by character. The letters with a
// case that names are likely to hold: Latin, Latin-1, Greek, Cyrillic and full-width Latin.
char32_t upperCase(char32_t c) {
    if ((c >= U'a' && c <= U'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7) ||
        (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) || (c >= 0x430 && c <= 0x44F)) {
        return c - 0x20;
    }
    if (c >= 0x450 && c <= 0x45F) return c - 0x50;
    if (c >= 0xFF41 && c <= 0xFF5A) return c - 0x20;
    return c;
}

}  // namespace

std::u32string foldFileName(std::string_view name) {
    std::u32string folded;
    std::size_t i = 0;
    while (i < name.size()) {
        const auto lead = static_cast<unsigned char>(name[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        char32_t c = length == 1 ? lead : lead & (0x3F >> (length - 1));
        bool valid = lead < 0x80 || (lead >= 0xC2 && lead <= 0xF4 && i + length <= name.size());
        for (std::size_t k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(name[i + k]);
            valid = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        if (!valid) {
            folded += static_cast<char32_t>(0xDC00 + lead);
            ++i;
            continue;
        }
        folded += upperCase(c);
        i += length;
    }
    return folded;
}

}  // namespace yorimemo
