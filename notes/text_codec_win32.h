#pragma once
// Converts the note file's text to and from the system's UTF-16, at the edges where the text is
// shown, typed or drawn.

#include <string>
#include <string_view>

#include "notes/text_encoding.h"
#include "text/shift_jis.h"

namespace yorimemo {

// Bytes that are not valid in the encoding come out as the system's replacement characters; they
// are only shown, never written back.
std::wstring DecodeText(std::string_view bytes, TextEncoding encoding);

// False, with the characters that the encoding cannot hold listed once each in `unstorable` (in
// the order they first appear), when the text cannot be stored as typed.
bool EncodeText(std::wstring_view text, TextEncoding encoding, std::string& bytes,
                std::wstring& unstorable);

// For what is never read back as the user's text (a path handed on, a text for an older
// library): characters the encoding cannot hold become its default character.
std::string EncodeLossy(std::wstring_view text, TextEncoding encoding);

// The file's text as code page 932 bytes, for a library that takes no other: Shift-JIS goes as it
// is, UTF-8 is re-encoded as far as code page 932 reaches.
std::string ToShiftJis(std::string_view bytes, TextEncoding encoding);

}  // namespace yorimemo
