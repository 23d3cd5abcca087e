// The real program with the real mote.dll on the X screen: three stored notes must appear as cards
// of their colours, with a black top edge, text in the text colour and the height the text needs,
// at the screen's scale.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/harness_win32.h"

namespace yorimemo::e2e {
namespace {

// A card as stored, at 100 %.
struct Card {
    int x;
    int y;
    int width;
    std::uint32_t fill;
    std::uint32_t ink;
    int lines;
};

// Cyan, magenta with red text, and yellow with three lines of Japanese; the default height (30)
// is below what three lines need and above what one line needs. At 150 % they still fit on a
// 1280 x 1024 screen.
const Card kCyan{100, 100, 300, 0x7FFFFF, 0x008080, 1};
const Card kMagenta{450, 100, 200, 0xFF7FFF, 0xFF0000, 1};
const Card kYellow{100, 300, 260, 0xFFFF7F, 0x808000, 3};
const Card kCards[] = {kCyan, kMagenta, kYellow};
constexpr int kDefaultHeight = 30;

const std::string kSettings =
    "[System]\r\nHeight=30\r\n"
    "[Husen1]\r\nID=0\r\nPriority=0\r\nPosX=100\r\nPosY=100\r\nWidth=300\r\nType=0\r\n"
    "FontSize=12\r\nText=Cyan note\r\nTextRed=0\r\n"
    "[Husen2]\r\nID=1\r\nPriority=1\r\nPosX=450\r\nPosY=100\r\nWidth=200\r\nType=1\r\n"
    "FontSize=12\r\nText=Magenta, red\r\nTextRed=1\r\n"
    // "あいうえお" / "日本語の付箋" / "テキスト"
    "[Husen3]\r\nID=2\r\nPriority=2\r\nPosX=100\r\nPosY=300\r\nWidth=260\r\nType=2\r\n"
    "FontSize=12\r\nText=\x82\xA0\x82\xA2\x82\xA4\x82\xA6\x82\xA8\\n\x93\xFA\x96\x7B\x8C\xEA\x82"
    "\xCC\x95\x74\xE2\xB3\\n\x83\x65\x83\x4C\x83\x58\x83\x67\r\nTextRed=0\r\n";

// The card as the program shows it at the screen's scale: place, width and margins grow with it,
// the text is laid out by a font made for it.
struct Shown {
    int x, y, width, edge, marginX, textTop, defaultHeight;
    std::uint32_t fill, ink;
    int lines;
};

Shown shown(const Card& card) {
    return {scaled(card.x), scaled(card.y),         scaled(card.width), scaled(1), scaled(5),
            scaled(6),      scaled(kDefaultHeight), card.fill,          card.ink,  card.lines};
}

std::optional<RECT> windowAt(const std::vector<MoteWindow>& motes, const Shown& card) {
    for (const MoteWindow& mote : motes) {
        if (mote.rect.left == card.x && mote.rect.top == card.y) return mote.rect;
    }
    return std::nullopt;
}

// Rows from the card's top down to the last row whose left column is the fill colour.
int paintedHeight(const Screenshot& shot, const Shown& card) {
    int y = card.y + card.edge;
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
        shot = Screenshot::take("three-notes-" + std::to_string(screenDpi()));
        return shot && std::all_of(std::begin(kCards), std::end(kCards), [&](const Card& card) {
                   const Shown at = shown(card);
                   return shot->pixel(at.x + at.edge + 1, at.y + at.edge + 1) == card.fill;
               });
    })) << "cards not painted; see "
        << (shot ? shot->pngPath() : "no screenshot");

    const std::vector<MoteWindow> motes = program.motes();
    for (const Card& stored : kCards) {
        const Shown card = shown(stored);
        SCOPED_TRACE("card at x " + std::to_string(card.x));
        const std::optional<RECT> rect = windowAt(motes, card);
        ASSERT_TRUE(rect.has_value()) << "no note window at its stored position";
        const int height = rect->bottom - rect->top;
        EXPECT_EQ(rect->right - rect->left, card.width);

        // The top edge is black from side to side, the row below it is the fill.
        const RECT topRows{card.x, card.y, card.x + card.width, card.y + card.edge};
        EXPECT_EQ(shot->count(topRows, 0x000000), card.width * card.edge);
        const RECT fillRow{card.x, card.y + card.edge, card.x + card.width, card.y + card.edge + 1};
        EXPECT_EQ(shot->count(fillRow, card.fill), card.width);

        // The painted card ends where its window ends.
        EXPECT_EQ(paintedHeight(*shot, card), height);
        EXPECT_EQ(shot->pixel(card.x + card.width - 1, rect->bottom - 1), card.fill);
        EXPECT_NE(shot->pixel(card.x, rect->bottom), card.fill);

        // Text lies inside the margins in the text colour, and nowhere else on the card.
        const RECT text{card.x + card.marginX, card.y + card.textTop,
                        card.x + card.width - card.marginX, rect->bottom};
        EXPECT_GT(shot->count(text, card.ink), scaled(10) * card.lines);
        const RECT leftMargin{card.x, card.y + card.edge, card.x + card.marginX, rect->bottom};
        EXPECT_EQ(shot->count(leftMargin, card.fill), card.marginX * (height - card.edge));

        if (card.lines == 1) {
            EXPECT_EQ(height, card.defaultHeight);
        } else {
            // Three lines of a 12-point face cannot fit the default height.
            EXPECT_GT(height, card.defaultHeight);
            EXPECT_GE(height, card.textTop + card.lines * scaled(12) + card.marginX);
        }
    }
    // Red text replaces the magenta card's own text colour.
    const Shown magenta = shown(kMagenta);
    const RECT magentaCard{magenta.x, magenta.y, magenta.x + magenta.width,
                           magenta.y + magenta.defaultHeight};
    EXPECT_EQ(shot->count(magentaCard, 0x800080), 0);
    // Shown at any scale, the notes keep their stored places and sizes.
    for (const char* key : {"PosX", "PosY", "Width"}) {
        EXPECT_EQ(iniValue(folder_.ini(), "Husen1", key), key[0] == 'W' ? "300" : "100") << key;
    }
}

TEST_F(ThreeNotesScreenTest, ACardMovedToAMonitorOfAnotherScaleIsRedrawnForItInPlace) {
    RunningProgram program(folder_);
    ASSERT_NE(program.host(), nullptr);
    ASSERT_TRUE(waitFor([&] { return program.motes().size() == 3; }));
    ASSERT_TRUE(program.settle());
    const Shown cyan = shown(kCyan);
    const std::optional<RECT> before = windowAt(program.motes(), cyan);
    ASSERT_TRUE(before.has_value());
    const std::string file = folder_.readIni();

    // What the system sends the card's window when it reaches a monitor at twice the scale.
    const int twice = 2 * screenDpi();
    HWND card = nullptr;
    for (const MoteWindow& mote : program.motes()) {
        if (mote.rect.left == cyan.x && mote.rect.top == cyan.y) card = mote.window;
    }
    ASSERT_TRUE(::PostMessageA(card, WM_DPICHANGED, MAKEWPARAM(twice, twice), 0));
    ASSERT_TRUE(waitFor([&] {
        const std::optional<RECT> now = windowAt(program.motes(), cyan);
        return now && now->right - now->left == ::MulDiv(kCyan.width, twice, 96);
    })) << "the card keeps its place and is drawn at the new scale";
    ASSERT_TRUE(program.settle());
    EXPECT_EQ(folder_.readIni(), file) << "only the look changed";
}

}  // namespace
}  // namespace yorimemo::e2e
