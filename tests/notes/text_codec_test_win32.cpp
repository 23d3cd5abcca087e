#include <gtest/gtest.h>

#include <string>

#include "notes/text_codec_win32.h"

// Run under any system code page: a Shift-JIS file reads and writes the same everywhere.
namespace yorimemo {
namespace {

constexpr TextEncoding kShiftJis = TextEncoding::kShiftJis;
constexpr TextEncoding kUtf8 = TextEncoding::kUtf8;

TEST(TextCodecTest, ShiftJisIsCodePage932WhateverTheSystemUses) {
    EXPECT_EQ(DecodeText("\x82\xa0\x83\x5c\xb1 A", kShiftJis), L"\u3042\u30bd\uff71 A");
    // The characters code page 932 holds twice read the same from either code.
    EXPECT_EQ(DecodeText("\x87\x90\x81\xe0", kShiftJis), L"\u2252\u2252");
    EXPECT_EQ(DecodeText("\xed\x40\xfa\x5c", kShiftJis), L"\u7e8a\u7e8a");
    EXPECT_EQ(DecodeText("\x87\x40", kShiftJis), L"\u2460");

    std::string bytes;
    std::wstring unstorable = L"stale";
    ASSERT_TRUE(EncodeText(L"\u3042\u30bd\u2460\u2252 A\r\nB\rC\n", kShiftJis, bytes, unstorable));
    EXPECT_EQ(bytes, "\x82\xa0\x83\x5c\x87\x40\x81\xe0 A\r\nB\rC\n");
    EXPECT_EQ(unstorable, L"");
    EXPECT_EQ(DecodeText(bytes, kShiftJis), L"\u3042\u30bd\u2460\u2252 A\r\nB\rC\n");
}

TEST(TextCodecTest, ShiftJisNamesEachCharacterItCannotHoldOnceInOrder) {
    std::string bytes;
    std::wstring unstorable;
    // An emoji (a surrogate pair), an accented letter that would fit only as its plain one, and
    // two rarer ideographs, one of them outside the basic plane; then a lone half of a pair.
    EXPECT_FALSE(EncodeText(L"a\U0001F600\u00e9b\U00020B9F\u00e9\U0001F600\u4ff1\u3042\xde00",
                            kShiftJis, bytes, unstorable));
    EXPECT_EQ(unstorable, L"\U0001F600\u00e9\U00020B9F\u4ff1\xde00");
}

TEST(TextCodecTest, Utf8HoldsEveryCharacter) {
    const std::wstring text = L"\U0001F600\u00e9\U00020B9F\u4ff1\r\n\u3042\u2252";
    std::string bytes;
    std::wstring unstorable;
    ASSERT_TRUE(EncodeText(text, kUtf8, bytes, unstorable));
    EXPECT_EQ(unstorable, L"");
    EXPECT_EQ(bytes,
              "\xf0\x9f\x98\x80\xc3\xa9\xf0\xa0\xae\x9f\xe4\xbf\xb1\r\n\xe3\x81\x82\xe2\x89\x92");
    EXPECT_EQ(DecodeText(bytes, kUtf8), text);
}

}  // namespace
}  // namespace yorimemo
