#include "mote/card_title.h"

#include <gtest/gtest.h>

#include <string>

namespace yorimemo {
namespace {

// One character in two units, spelt out: wchar_t is wider natively.
const std::wstring kPair{wchar_t{0xD83D}, wchar_t{0xDE00}};

struct TitleCase {
    const char* name;
    std::wstring text;
    std::wstring title;
};

class CardTitleTest : public ::testing::TestWithParam<TitleCase> {};

TEST_P(CardTitleTest, OneLineCutShort) {
    EXPECT_EQ(CardTitle(GetParam().text), GetParam().title);
}

const TitleCase kCases[] = {
    {"Empty", L"", L""},
    {"EachLineBreakOneBlank", L"a\r\nb\rc\nd\r\n\r\ne", L"a b c d  e"},
    {"TabsAndBlanksKept", L"\ta  b", L"\ta  b"},
    {"HundredUnitsKept", std::wstring(100, L'x'), std::wstring(100, L'x')},
    {"CutAtHundred", std::wstring(150, L'x'), std::wstring(100, L'x')},
    // A break counts once it is a blank: CR LF is one unit of the title.
    {"BreaksCountAsOneUnit", std::wstring(98, L'x') + L"\r\nyz", std::wstring(98, L'x') + L" y"},
    {"PairAtTheLimitKeptWhole", std::wstring(98, L'x') + kPair + L"z",
     std::wstring(98, L'x') + kPair},
    {"PairAcrossTheLimitLeftOut", std::wstring(99, L'x') + kPair, std::wstring(99, L'x')},
};

INSTANTIATE_TEST_SUITE_P(Cases, CardTitleTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace yorimemo
