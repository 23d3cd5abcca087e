#pragma once
// The face of a note that names none, "ＭＳ ゴシック": written into the note file in the file's
// encoding, and asked for by the library when it is given no face.

#include <string_view>

namespace yorimemo {

inline constexpr std::string_view kDefaultFaceShiftJis =
    "\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E";
inline constexpr std::string_view kDefaultFaceUtf8 =
    "\xEF\xBC\xAD\xEF\xBC\xB3\x20\xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF";
inline constexpr std::wstring_view kDefaultFaceWide = L"\uFF2D\uFF33 \u30B4\u30B7\u30C3\u30AF";

}  // namespace yorimemo
