#pragma once
// File names compared as Windows compares them: ignoring case.

#include <string>
#include <string_view>

namespace yorimemo {

// A UTF-8 name upper-cased character by character, for comparing; a byte that starts no valid
// sequence stands for itself, so that two names that differ still differ.
std::u32string foldFileName(std::string_view name);

}  // namespace yorimemo
