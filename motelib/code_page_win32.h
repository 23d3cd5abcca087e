#pragma once
// The older text calls take code page 932 bytes, whatever the system's own code page is; the
// library draws UTF-16.

#include <windows.h>

#include <string>
#include <string_view>

#include "text/shift_jis.h"

namespace yorimemo::motelib {

// Invalid bytes come out as the system's replacement characters.
inline std::wstring fromShiftJis(std::string_view bytes) {
    if (bytes.empty()) return {};
    const int length = static_cast<int>(bytes.size());
    const int size = MultiByteToWideChar(kShiftJisCodePage, 0, bytes.data(), length, nullptr, 0);
    std::wstring text(static_cast<std::size_t>(size > 0 ? size : 0), L'\0');
    if (size > 0)
        MultiByteToWideChar(kShiftJisCodePage, 0, bytes.data(), length, text.data(), size);
    return text;
}

}  // namespace yorimemo::motelib
