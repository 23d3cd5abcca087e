#include "notes/text_codec_win32.h"

#include <windows.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "text/code_page_win32.h"
#include "text/utf16.h"

namespace yorimemo {

namespace {

UINT CodePage(TextEncoding encoding) {
    return encoding == TextEncoding::kUtf8 ? CP_UTF8 : kShiftJisCodePage;
}

}  // namespace

std::wstring DecodeText(std::string_view bytes, TextEncoding encoding) {
    return DecodeCodePage(bytes, CodePage(encoding));
}

bool EncodeText(std::wstring_view text, TextEncoding encoding, std::string& bytes,
                std::wstring& unstorable) {
    unstorable.clear();
    bytes.clear();
    // The encoder's output is a run of whole characters, so a text that comes back unchanged
    // holds only storable ones; a long note is then not checked character by character.
    std::string whole = EncodeCodePage(text, CodePage(encoding));
    if (DecodeText(whole, encoding) == text) {
        bytes = std::move(whole);
        return true;
    }
    // Compared whole: a lone half of a pair must not count as listed because an earlier
    // character's pair holds that unit.
    std::vector<std::wstring_view> listed;
    // A character is storable when it comes back unchanged: this catches the default "?" and
    // any best-fit substitute (an accented letter stored as its plain one) alike.
    for (std::size_t pos = 0; pos < text.size();) {
        const std::wstring_view character = text.substr(pos, CharLength(text, pos));
        pos += character.size();
        if (character == L"\r" || character == L"\n") continue;
        if (DecodeText(EncodeCodePage(character, CodePage(encoding)), encoding) == character)
            continue;
        if (std::find(listed.begin(), listed.end(), character) != listed.end()) continue;
        listed.push_back(character);
        unstorable.append(character);
    }
    if (!unstorable.empty()) return false;
    bytes = std::move(whole);
    return true;
}

std::string EncodeLossy(std::wstring_view text, TextEncoding encoding) {
    return EncodeCodePage(text, CodePage(encoding));
}

std::string ToShiftJis(std::string_view bytes, TextEncoding encoding) {
    if (encoding == TextEncoding::kShiftJis) return std::string(bytes);
    return EncodeLossy(DecodeText(bytes, encoding), TextEncoding::kShiftJis);
}

}  // namespace yorimemo
