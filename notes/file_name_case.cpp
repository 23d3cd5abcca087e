#include "notes/file_name_case.h"

#include <cstddef>

#include "text/utf8.h"

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
    for (std::size_t i = 0; i < name.size();) {
        const Utf8Char c = Utf8CharAt(name, i);
        i += c.length;
        // A byte that is no character still names the file: it folds to a unit of its own.
        folded += c.valid ? upperCase(c.code) : static_cast<char32_t>(0xDC00 + c.code);
    }
    return folded;
}

}  // namespace yorimemo
