#pragma once
// Conversions between a named code page and the system's UTF-16. Invalid bytes come out as the
// system's replacement characters; characters the code page lacks as its default character.

#include <windows.h>

#include <string>
#include <string_view>

namespace yorimemo {

inline std::wstring DecodeCodePage(std::string_view bytes, UINT codePage) {
    if (bytes.empty()) return {};
    const int length = static_cast<int>(bytes.size());
    const int size = ::MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0);
    std::wstring text(static_cast<std::size_t>(size > 0 ? size : 0), L'\0');
    if (size > 0) ::MultiByteToWideChar(codePage, 0, bytes.data(), length, text.data(), size);
    return text;
}

inline std::string EncodeCodePage(std::wstring_view text, UINT codePage) {
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    const int size =
        ::WideCharToMultiByte(codePage, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0) {
        ::WideCharToMultiByte(codePage, 0, text.data(), length, bytes.data(), size, nullptr,
                              nullptr);
    }
    return bytes;
}

}  // namespace yorimemo
