#include "notes/text_escape.h"

#include <gtest/gtest.h>

namespace yorimemo {
namespace {

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
    EXPECT_EQ(unescapeLineBreaks("a\\nb"), "a\r\nb");
    EXPECT_EQ(unescapeLineBreaks("\\n\\n"), "\r\n\r\n");
    EXPECT_EQ(unescapeLineBreaks("\\\\n"), "\\\r\n");
}

TEST(TextEscapeTest, NothingElseIsAnEscape) {
    EXPECT_EQ(unescapeLineBreaks("a\\N"), "a\\N");
    EXPECT_EQ(unescapeLineBreaks("a\\t"), "a\\t");
    EXPECT_EQ(unescapeLineBreaks("end\\"), "end\\");
    EXPECT_EQ(unescapeLineBreaks("\\"), "\\");
}

TEST(TextEscapeTest, BackslashThatEndsADoubleByteCharacterIsNoEscape) {
    // "ソ" (83 5C) followed by "n".
    EXPECT_EQ(unescapeLineBreaks("\x83\x5cn"), "\x83\x5cn");
    // "表" (95 5C) followed by a real escape.
    EXPECT_EQ(unescapeLineBreaks("\x95\x5c\\n"), "\x95\x5c\r\n");
    // Lead bytes at both ends of their ranges.
    EXPECT_EQ(unescapeLineBreaks("\x81\x5cn\x9f\x5cn\xe0\x5cn\xfc\x5cn"),
              "\x81\x5cn\x9f\x5cn\xe0\x5cn\xfc\x5cn");
}

TEST(TextEscapeTest, SingleByteKatakanaAndBrokenPairsAreSingleBytes) {
    // A0..DF are single-byte characters, so the backslash after them starts an escape.
    EXPECT_EQ(unescapeLineBreaks("\xb1\\n"), "\xb1\r\n");
    EXPECT_EQ(unescapeLineBreaks("\x80\\n\xfd\\n"), "\x80\r\n\xfd\r\n");
    // A lead byte before a byte that cannot follow it stands alone.
    EXPECT_EQ(unescapeLineBreaks("\x83 \\n"), "\x83 \r\n");
    // A lead byte at the very end.
    EXPECT_EQ(unescapeLineBreaks("\\n\x83"), "\r\n\x83");
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
    };
    for (const std::string& text : texts) {
        EXPECT_EQ(unescapeLineBreaks(escapeLineBreaks(text)), text);
    }
    EXPECT_EQ(unescapeLineBreaks(escapeLineBreaks("a\rb\nc")), "a\r\nb\r\nc");
}

}  // namespace
}  // namespace yorimemo
