// The real program with the real mote.dll on the X screen: three stored notes must appear as cards
// of their colours, with a black top row, text in the text colour and the height the text needs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/harness_win32.h"

namespace yorimemo::e2e {
namespace {

struct Card {
    int x;
    int y;
    int width;
    std::uint32_t fill;
    std::uint32_t ink;
    int lines;
};

// Cyan, magenta with red text, and yellow with three lines of Japanese; the default height (30)
// is below what three lines need and above what one line needs.
const Card kCyan{100, 150, 200, 0x7FFFFF, 0x008080, 1};
const Card kMagenta{400, 150, 200, 0xFF7FFF, 0xFF0000, 1};
const Card kYellow{700, 150, 260, 0xFFFF7F, 0x808000, 3};
const Card kCards[] = {kCyan, kMagenta, kYellow};
constexpr int kDefaultHeight = 30;

const std::string kSettings =
    "[System]\r\nHeight=30\r\n"
    "[Husen1]\r\nID=0\r\nPriority=0\r\nPosX=100\r\nPosY=150\r\nWidth=200\r\nType=0\r\n"
    "FontSize=12\r\nText=Cyan note\r\nTextRed=0\r\n"
    "[Husen2]\r\nID=1\r\nPriority=1\r\nPosX=400\r\nPosY=150\r\nWidth=200\r\nType=1\r\n"
    "FontSize=12\r\nText=Magenta, red\r\nTextRed=1\r\n"
    // "あいうえお" / "日本語の付箋" / "テキスト"
    "[Husen3]\r\nID=2\r\nPriority=2\r\nPosX=700\r\nPosY=150\r\nWidth=260\r\nType=2\r\n"
    "FontSize=12\r\nText=\x82\xA0\x82\xA2\x82\xA4\x82\xA6\x82\xA8\\n\x93\xFA\x96\x7B\x8C\xEA\x82"
    "\xCC\x95\x74\xE2\xB3\\n\x83\x65\x83\x4C\x83\x58\x83\x67\r\nTextRed=0\r\n";

std::optional<RECT> windowAt(const std::vector<MoteWindow>& motes, const Card& card) {
    for (const MoteWindow& mote : motes) {
        if (mote.rect.left == card.x && mote.rect.top == card.y) return mote.rect;
    }
    return std::nullopt;
}

// Rows from the card's top down to the last row whose left column is the fill colour.
int paintedHeight(const Screenshot& shot, const Card& card) {
    int y = card.y + 1;
    while (y < shot.height() && shot.pixel(card.x, y) == card.fill) ++y;
    return y - card.y;
}

class ThreeNotesScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (unixPath("C:\\").empty()) GTEST_SKIP() << "needs Wine and an X screen";
        folder_.writeIni(kSettings);
    }

    ProgramFolder folder_{Library::Real};
};

TEST_F(ThreeNotesScreenTest, CardsShowTheirColoursTopRowTextAndHeight) {
    RunningProgram program(folder_);
    ASSERT_NE(program.host(), nullptr);
    ASSERT_TRUE(waitFor([&] { return program.motes().size() == 3; }))
        << program.motes().size() << " note windows";
    ASSERT_TRUE(program.settle());

    // The windows exist before X has painted them: wait until every card shows its fill.
    std::optional<Screenshot> shot;
    ASSERT_TRUE(waitFor([&] {
        shot = Screenshot::take("three-notes");
        return shot && std::all_of(std::begin(kCards), std::end(kCards), [&](const Card& card) {
                   return shot->pixel(card.x + 2, card.y + 2) == card.fill;
               });
    })) << "cards not painted; see "
        << (shot ? shot->pngPath() : "no screenshot");

    const std::vector<MoteWindow> motes = program.motes();
    for (const Card& card : kCards) {
        SCOPED_TRACE("card at x " + std::to_string(card.x));
        const std::optional<RECT> rect = windowAt(motes, card);
        ASSERT_TRUE(rect.has_value()) << "no note window at its stored position";
        const int height = rect->bottom - rect->top;
        EXPECT_EQ(rect->right - rect->left, card.width);

        // The top row is black from edge to edge, the row below is the fill.
        const RECT topRow{card.x, card.y, card.x + card.width, card.y + 1};
        EXPECT_EQ(shot->count(topRow, 0x000000), card.width);
        const RECT secondRow{card.x, card.y + 1, card.x + card.width, card.y + 2};
        EXPECT_EQ(shot->count(secondRow, card.fill), card.width);

        // The painted card ends where its window ends.
        EXPECT_EQ(paintedHeight(*shot, card), height);
        EXPECT_EQ(shot->pixel(card.x + card.width - 1, rect->bottom - 1), card.fill);
        EXPECT_NE(shot->pixel(card.x, rect->bottom), card.fill);

        // Text lies inside the margins in the text colour, and nowhere else on the card.
        const RECT text{card.x + 5, card.y + 6, card.x + card.width - 5, rect->bottom};
        EXPECT_GT(shot->count(text, card.ink), 10 * card.lines);
        const RECT leftMargin{card.x, card.y + 1, card.x + 5, rect->bottom};
        EXPECT_EQ(shot->count(leftMargin, card.fill), 5 * (height - 1));

        if (card.lines == 1) {
            EXPECT_EQ(height, kDefaultHeight);
        } else {
            // Three lines of a 12-point face cannot fit the default height.
            EXPECT_GT(height, kDefaultHeight);
            EXPECT_GE(height, 6 + card.lines * 12 + 5);
        }
    }
    // Red text replaces the magenta card's own text colour.
    const RECT magenta{kMagenta.x, kMagenta.y, kMagenta.x + kMagenta.width, kMagenta.y + 30};
    EXPECT_EQ(shot->count(magenta, 0x800080), 0);
}

}  // namespace
}  // namespace yorimemo::e2e
