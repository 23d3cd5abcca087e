#include "motelib/text_limits.h"

#include <gtest/gtest.h>

#include <string>

namespace yorimemo::motelib {
namespace {

TEST(ShownTextTest, ShortTextsAreShownWhole) {
    const std::string text(kMaxShownTextBytes, 'a');
    EXPECT_EQ(shownText(text).size(), kMaxShownTextBytes);
    EXPECT_EQ(shownText(""), "");
}

TEST(ShownTextTest, LongTextsAreCutWithoutSplittingACharacter) {
    const std::string ascii(10 * 1024 * 1024, 'x');
    EXPECT_EQ(shownText(ascii).size(), kMaxShownTextBytes);

    // One ASCII byte first, so a cut at the limit would fall inside the next character.
    std::string japanese = "a";
    while (japanese.size() < kMaxShownTextBytes + 10) japanese += "\x83\x5C";  // "ソ"
    const std::string_view shown = shownText(japanese);
    EXPECT_EQ(shown.size(), kMaxShownTextBytes - 1);
    EXPECT_EQ(shown.back(), '\x5C');
    EXPECT_EQ(shown[shown.size() - 2], '\x83');
}

TEST(ShownTextTest, WideTextsAreCutWithoutSplittingASurrogatePair) {
    const std::wstring exact(kMaxShownTextUnits, L'a');
    EXPECT_EQ(shownText(std::wstring_view(exact)).size(), kMaxShownTextUnits);

    const std::wstring pair = {wchar_t(0xD83D), wchar_t(0xDE00)};
    std::wstring emoji;
    while (emoji.size() < kMaxShownTextUnits + 10) emoji += pair;
    EXPECT_EQ(shownText(std::wstring_view(emoji)).size(), kMaxShownTextUnits);
    // One unit first: the pair at the limit would be cut in half, so it goes whole.
    const std::wstring shifted = L"a" + emoji;
    const std::wstring_view shown = shownText(std::wstring_view(shifted));
    EXPECT_EQ(shown.size(), kMaxShownTextUnits - 1);
    EXPECT_EQ(shown.back(), wchar_t(0xDE00));
}

}  // namespace
}  // namespace yorimemo::motelib
