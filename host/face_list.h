#pragma once
// The faces the edit dialog offers: the installed ones the note file can name, those with
// Japanese characters first, and the note's own face selected even when it is not installed.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace yorimemo {

// One face as the system lists it; the same face comes once per character set.
struct InstalledFace {
    std::wstring name;
    bool japanese = false;  // listed with the Japanese character set
    bool storable = true;   // the note file's encoding can hold its name
};

struct FaceChoices {
    std::vector<std::wstring> names;
    std::size_t selected = 0;
};

// Vertical faces (`@`) and names the file cannot hold are left out; a face listed more than once
// comes once, Japanese when any listing is. Within each group the names go in alphabetical order
// (ignoring ASCII case, as the system compares face names). `noteFace` is selected where it is
// listed, else it goes first as stored.
FaceChoices ChooseFaces(std::vector<InstalledFace> installed, std::wstring_view noteFace);

}  // namespace yorimemo
