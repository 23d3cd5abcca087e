#include "notes/text_escape.h"

#include <gtest/gtest.h>

namespace yorimemo {
namespace {

constexpr TextEncoding kShiftJis = TextEncoding::kShiftJis;
constexpr TextEncoding kUtf8 = TextEncoding::kUtf8;

TEST(TextEscapeTest, LineBreaksBecomeBackslashN) {
    EXPECT_EQ(escapeLineBreaks("a\r\nb"), "a\\nb");
    EXPECT_EQ(escapeLineBreaks("\r\n\r\n"), "\\n\\n");
    EXPECT_EQ(escapeLineBreaks("no breaks"), "no breaks");
}

TEST(TextEscapeTest, LoneCrAndLoneLfAreLineBreaksToo) {
    EXPECT_EQ(escapeLineBreaks("a\rb\nc"), "a\\nb\\nc");
    EXPECT_EQ(escapeLineBreaks("a\r\r\nb"), "a\\n\\nb");
    EXPECT_EQ(escapeLineBreaks("a\n\rb"), "a\\n\\nb");
    EXPECT_EQ(escapeLineBreaks("\r"), "\\n");
}

TEST(TextEscapeTest, WritingDoesNotLookAtDoubleByteCharacters) {
    // "ソ" then a line break: the written bytes are the plain escape.
    EXPECT_EQ(escapeLineBreaks("\x83\x5c\r\n"), "\x83\x5c\\n");
}

TEST(TextEscapeTest, BackslashNBecomesCrLf) {
    EXPECT_EQ(unescapeLineBreaks("a\\nb", kShiftJis), "a\r\nb");
    EXPECT_EQ(unescapeLineBreaks("\\n\\n", kShiftJis), "\r\n\r\n");
    EXPECT_EQ(unescapeLineBreaks("\\\\n", kShiftJis), "\\\r\n");
}

TEST(TextEscapeTest, NothingElseIsAnEscape) {
    EXPECT_EQ(unescapeLineBreaks("a\\N", kShiftJis), "a\\N");
    EXPECT_EQ(unescapeLineBreaks("a\\t", kShiftJis), "a\\t");
    EXPECT_EQ(unescapeLineBreaks("end\\", kShiftJis), "end\\");
    EXPECT_EQ(unescapeLineBreaks("\\", kShiftJis), "\\");
}

TEST(TextEscapeTest, BackslashThatEndsADoubleByteCharacterIsNoEscape) {
    // "ソ" (83 5C) followed by "n".
    EXPECT_EQ(unescapeLineBreaks("\x83\x5cn", kShiftJis), "\x83\x5cn");
    // "表" (95 5C) followed by a real escape.
    EXPECT_EQ(unescapeLineBreaks("\x95\x5c\\n", kShiftJis), "\x95\x5c\r\n");
    // Lead bytes at both ends of their ranges.
    EXPECT_EQ(unescapeLineBreaks("\x81\x5cn\x9f\x5cn\xe0\x5cn\xfc\x5cn", kShiftJis),
              "\x81\x5cn\x9f\x5cn\xe0\x5cn\xfc\x5cn");
}

TEST(TextEscapeTest, SingleByteKatakanaAndBrokenPairsAreSingleBytes) {
    // A0..DF are single-byte characters, so the backslash after them starts an escape.
    EXPECT_EQ(unescapeLineBreaks("\xb1\\n", kShiftJis), "\xb1\r\n");
    EXPECT_EQ(unescapeLineBreaks("\x80\\n\xfd\\n", kShiftJis), "\x80\r\n\xfd\r\n");
    // A lead byte before a byte that cannot follow it stands alone.
    EXPECT_EQ(unescapeLineBreaks("\x83 \\n", kShiftJis), "\x83 \r\n");
    // A lead byte at the very end.
    EXPECT_EQ(unescapeLineBreaks("\\n\x83", kShiftJis), "\r\n\x83");
}

TEST(TextEscapeTest, InUtf8EveryBackslashIsOne) {
    // No UTF-8 character holds 5C, so the bytes before it never hide it, valid or not.
    EXPECT_EQ(unescapeLineBreaks("\x83\\n\xe3\x82\xbd\\n", kUtf8), "\x83\r\n\xe3\x82\xbd\r\n");
    EXPECT_EQ(unescapeLineBreaks("\xe3\\n\xc0\\n\xff\\N", kUtf8), "\xe3\r\n\xc0\r\n\xff\\N");
    EXPECT_EQ(unescapeLineBreaks("\\\\n\\", kUtf8), "\\\r\n\\");
}

TEST(TextEscapeTest, TextWithCrLfBreaksSurvivesARoundTrip) {
    const std::string texts[] = {
        "",
        "one line",
        "two\r\nlines\r\n",
        "\x83\x5c\r\n\x83\x5c",
        "\x83\x5c\x83\x5c\r\n",
        "back\\slash",
        "\xb1\xb2\r\n\x82\xa0",
        "\xe3\x82\xbd\r\n\\\r\n",
    };
    for (const TextEncoding encoding : {kShiftJis, kUtf8}) {
        for (const std::string& text : texts) {
            EXPECT_EQ(unescapeLineBreaks(escapeLineBreaks(text), encoding), text);
        }
    }
    EXPECT_EQ(unescapeLineBreaks(escapeLineBreaks("a\rb\nc"), kShiftJis), "a\r\nb\r\nc");
}

}  // namespace
}  // namespace yorimemo
