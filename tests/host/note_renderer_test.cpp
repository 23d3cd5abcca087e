#include "mote/note_renderer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "mote/card_placement.h"
#include "mote/display_scale.h"
#include "tests/host/recording_library.h"

namespace yorimemo {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsSupersetOf;

class NoteRendererTest : public ::testing::Test {
protected:
    NoteRendererTest() {
        table.defaultHeight = 50;
        NoteSlot& note = table.slots[3];
        note.x = 40;
        note.y = 60;
        note.width = 300;
        note.color = kMagenta;
        note.fontName = "Gothic";
        note.fontSize = 9;
        note.text = "one\r\ntwo\r\nthree\r\nfour";
    }

    NoteTable table;
    std::vector<std::string> log;
    fakes::RecordingLibrary library{log};
};

TEST_F(NoteRendererTest, FirstDrawMakesEveryCallInOrder) {
    renderNote(library, table, 3, 7, false);

    // Four lines measure 6 + 56 = 62; the card is 62 + 5 = 67 high.
    EXPECT_THAT(library.calls,
                ElementsAreArray({
                    "_lock_draw",
                    "_create_font \"Gothic\" 9 96",
                    "_draw_text 0 \"one\r\ntwo\r\nthree\r\nfour\" 3001 0x800080 5 6 295 0 0x410",
                    "_create 40 60 0 0 7",
                    "_create_bitmap 300 67",
                    "_set_image_h 0 1001 2001",
                    "_set_title 0 \"one\r\ntwo\r\nthree\r\nfour\"",
                    "_fill_rect 1001 2001 0 1 300 66 0xFF7FFF",
                    "_draw_line 1001 2001 0 0 299 0 0x0",
                    "_draw_text 1001 \"one\r\ntwo\r\nthree\r\nfour\" 3001 0x800080 5 6 295 62 0x10",
                    "_delete_font 3001",
                    "_update_image_h 0",
                    "_unlock_draw",
                }));
    EXPECT_EQ(table.slots[3].moteId, 0);
    EXPECT_EQ(table.slots[3].bitmap, 1001);
    EXPECT_EQ(table.slots[3].surface, 2001);
    EXPECT_EQ(table.slots[3].priority, 0) << "the priority is the caller's to store";
}

TEST_F(NoteRendererTest, RedrawDeletesOldMoteBeforeCreateAndOldBitmapAfter) {
    renderNote(library, table, 3, 7, false);
    library.take();
    renderNote(library, table, 3, 9, true);

    const auto& calls = library.calls;
    auto at = [&calls](const std::string& call) {
        return std::find(calls.begin(), calls.end(), call) - calls.begin();
    };
    ASSERT_LT(at("_delete 0"), static_cast<long>(calls.size()));
    EXPECT_LT(at("_delete 0"), at("_create 40 60 0 0 9"));
    EXPECT_LT(at("_create 40 60 0 0 9"), at("_delete_bitmap 1001"));
    EXPECT_LT(at("_delete_bitmap 1001"), at("_create_bitmap 300 67"));
    EXPECT_EQ(table.slots[3].moteId, 1);
    EXPECT_EQ(table.slots[3].bitmap, 1002);
}

TEST_F(NoteRendererTest, CardIsNeverLowerThanTheDefaultHeight) {
    table.slots[3].text = "one line";  // 6 + 14 + 5 = 25, below 50
    renderNote(library, table, 3, 0, false);
    EXPECT_THAT(library.calls, ::testing::Contains("_create_bitmap 300 50"));

    library.take();
    table.defaultHeight = 25;  // exactly bottom + 5
    renderNote(library, table, 3, 0, false);
    EXPECT_THAT(library.calls, ::testing::Contains("_create_bitmap 300 25"));
}

TEST_F(NoteRendererTest, EmptyTextIsMeasuredAndDrawnAsEmpty) {
    table.slots[3].text.clear();
    renderNote(library, table, 3, 0, false);
    EXPECT_THAT(library.calls,
                ::testing::Contains("_draw_text 0 \"\" 3001 0x800080 5 6 295 0 0x410"));
    EXPECT_THAT(library.calls,
                ::testing::Contains("_draw_text 1001 \"\" 3001 0x800080 5 6 295 6 0x10"));
}

TEST_F(NoteRendererTest, TheFilesEncodingGoesWithTheFontNameAndEveryText) {
    table.encoding = TextEncoding::kUtf8;
    renderNote(library, table, 3, 0, false);
    EXPECT_THAT(library.calls, ::testing::Contains("_create_font u8\"Gothic\" 9 96"));
    EXPECT_THAT(library.calls,
                ::testing::Contains("_draw_text 1001 u8\"one\r\ntwo\r\nthree\r\nfour\" 3001 "
                                    "0x800080 5 6 295 62 0x10"));
}

TEST(NoteColorsTest, FillAndTextColoursFollowTheType) {
    EXPECT_EQ(noteColors(kCyan, 0).fill, 0x7FFFFFu);
    EXPECT_EQ(noteColors(kCyan, 0).text, 0x008080u);
    EXPECT_EQ(noteColors(kMagenta, 0).text, 0x800080u);
    EXPECT_EQ(noteColors(kYellow, 0).fill, 0xFFFF7Fu);
    EXPECT_EQ(noteColors(kYellow, 0).text, 0x808000u);
    // Outside 0..2 the fill is black and the same rule gives every component 0 - 0x7F.
    EXPECT_EQ(noteColors(static_cast<NoteColor>(7), 0).fill, 0x000000u);
    EXPECT_EQ(noteColors(static_cast<NoteColor>(7), 0).text, 0xFFFFFF81u);
    EXPECT_EQ(noteColors(static_cast<NoteColor>(-4), 0).text, 0xFFFFFF81u);
    // Red text keeps the fill of its type.
    EXPECT_EQ(noteColors(kYellow, 1).fill, 0xFFFF7Fu);
    EXPECT_EQ(noteColors(kYellow, 1).text, 0xFF0000u);
}

TEST_F(NoteRendererTest, WithoutTextCallsTheCardHasTheDefaultHeightAndNoFont) {
    library.unbound = {"_draw_text", "_create_font"};
    table.defaultHeight = 3;
    renderNote(library, table, 3, 0, false);
    // Bottom stays 0: the greater of 5 and the default height.
    EXPECT_THAT(library.calls, ::testing::Contains("_create_bitmap 300 5"));
    EXPECT_THAT(library.calls, ::testing::Contains("_delete_font 0"));
}

TEST_F(NoteRendererTest, WithoutCreateAStoredNoteKeepsItsIdAndANewOneStaysFree) {
    library.unbound = {"_create", "_create_bitmap"};
    table.slots[3].moteId = 8;
    renderNote(library, table, 3, 0, true);
    EXPECT_EQ(table.slots[3].moteId, 8);
    EXPECT_FALSE(table.slots[3].hasCard);
    EXPECT_EQ(table.slots[3].bitmap, 0);
    EXPECT_THAT(library.calls,
                ::testing::Not(::testing::Contains(::testing::StartsWith("_delete "))));

    table.slots[5] = table.slots[3];
    table.slots[5].moteId = -1;
    renderNote(library, table, 5, 0, false);
    EXPECT_EQ(table.slots[5].moteId, -1);
}

TEST_F(NoteRendererTest, ANegativeCreateAnswerIsNoCardAndTheNextRebuildTriesAgain) {
    table.slots[3].moteId = 0;  // the stored id equals the card id another note may get
    library.createAnswers = {-1};
    renderNote(library, table, 3, 0, true);
    EXPECT_EQ(table.slots[3].moteId, 0);
    EXPECT_FALSE(table.slots[3].hasCard);
    EXPECT_EQ(table.findCard(0), -1);
    EXPECT_THAT(library.calls,
                ::testing::Not(::testing::Contains(::testing::StartsWith("_set_image_h"))));
    EXPECT_THAT(library.calls,
                ::testing::Not(::testing::Contains(::testing::StartsWith("_update_image_h"))));

    renderNote(library, table, 3, 0, true);
    EXPECT_TRUE(table.slots[3].hasCard);
    EXPECT_EQ(table.findCard(table.slots[3].moteId), 3);
}

TEST_F(NoteRendererTest, ExtremeWidthsDoNotOverflow) {
    table.slots[3].width = INT32_MIN;
    table.defaultHeight = INT32_MIN;
    table.slots[3].text.clear();
    renderNote(library, table, 3, 0, false);
    EXPECT_THAT(library.calls, ::testing::Contains("_draw_line 1001 2001 0 0 2147483647 0 0x0"));
}

TEST_F(NoteRendererTest, AtAnotherScaleTheCardAndItsFontAreMadeForItNotStretched) {
    table.systemDpi = 144;
    table.slots[3].x = 100;
    table.slots[3].y = 100;
    renderNote(library, table, 3, 7, false);
    // Margins 5 and 6 become 8 and 9, four lines of 14 measure 9 + 56 = 65, and 65 + 8 = 73
    // stays below the default height of 75; the top edge is two rows.
    EXPECT_THAT(library.calls,
                IsSupersetOf({
                    "_create_font \"Gothic\" 9 144",
                    "_draw_text 0 \"one\r\ntwo\r\nthree\r\nfour\" 3001 0x800080 8 9 442 0 0x410",
                    "_create 150 150 0 0 7",
                    "_create_bitmap 450 75",
                    "_fill_rect 1001 2001 0 2 450 73 0xFF7FFF",
                    "_draw_line 1001 2001 0 1 449 1 0x0",
                }));
    EXPECT_EQ(table.slots[3].x, 100) << "the stored place keeps its meaning";

    // The size follows the monitor the card is on, the place the system's scale; told a scale,
    // the card is drawn for it wherever it is.
    table.systemDpi = 96;
    table.workAreas = {{{0, 0, 1920, 1040}, 96}, {{1920, 0, 3840, 1080}, 192}};
    table.slots[3].x = 2000;
    renderNote(library, table, 3, 7, false);
    EXPECT_THAT(library.calls, IsSupersetOf({"_create_bitmap 600 100", "_create 2000 100 0 0 7"}));
    renderNote(library, table, 3, 7, false, 120);
    EXPECT_THAT(library.calls, Contains("_create_bitmap 375 70"));
}

TEST(DisplayScaleTest, RoundsToTheNearestAndStoredValuesComeBackUnchanged) {
    EXPECT_EQ(scaleToDpi(5, 144), 8) << "7.5 rounds away from zero";
    EXPECT_EQ(scaleToDpi(-5, 144), -8);
    EXPECT_EQ(unscaleFromDpi(-151, 144), -101);
    for (const std::int32_t dpi : {96, 120, 144, 168, 192, 240, 288, 480}) {
        for (std::int32_t value = -4000; value <= 4000; ++value) {
            ASSERT_EQ(unscaleFromDpi(scaleToDpi(value, dpi), dpi), value) << value << " @" << dpi;
        }
    }
    // Values from a hand-edited file, and scales no screen has.
    EXPECT_EQ(scaleToDpi(INT32_MAX, 144), INT32_MAX);
    EXPECT_EQ(scaleToDpi(INT32_MIN, 192), INT32_MIN);
    for (const std::int32_t odd : {0, -144, 47, 769, INT32_MIN})
        EXPECT_EQ(scaleToDpi(300, odd), 300);
    EXPECT_EQ(mulDivRounded(INT32_MIN, -1, 1), INT32_MAX);
    EXPECT_EQ(mulDivRounded(7, 3, 0), 7);
}

TEST(DisplayScaleTest, ADroppedPixelStaysWhileItsStoredPlaceDoes) {
    for (const std::int32_t dpi : {96, 120, 144, 168, 192}) {
        for (std::int32_t dropped = -3000; dropped <= 3000; ++dropped) {
            const std::int32_t stored = unscaleFromDpi(dropped, dpi);
            ASSERT_EQ(shownPlace(stored, dropped, dpi, dpi), dropped) << dropped << " @" << dpi;
        }
    }
    struct Row {
        std::int32_t stored, dropped, droppedDpi, dpi, shown;
    };
    for (const Row& row : {
             Row{67, 100, 0, 144, 101},    // nothing dropped this run: the stored place scaled
             Row{67, 100, 144, 144, 100},  // 100 gives 67, which alone would show at 101
             Row{68, 100, 144, 144, 102},  // moved elsewhere since: the new place
             Row{67, 100, 96, 144, 101},   // dropped at another scale
         }) {
        EXPECT_EQ(shownPlace(row.stored, row.dropped, row.droppedDpi, row.dpi), row.shown)
            << row.stored << " " << row.dropped << " @" << row.droppedDpi;
    }
}

TEST(DisplayScaleTest, ACardTakesTheScaleOfTheMonitorItLiesOnMostOrNearest) {
    const std::vector<WorkArea> screens = {
        {{0, 0, 1920, 1040}, 144}, {{1920, 0, 3840, 1080}, 192}, {{-1280, 0, 0, 1024}, 0}};
    EXPECT_EQ(monitorDpi({1700, 10, 2000, 60}, screens, 120), 144) << "220 of 300 on the first";
    EXPECT_EQ(monitorDpi({1800, 10, 2100, 60}, screens, 120), 192) << "180 on the second";
    EXPECT_EQ(monitorDpi({5000, 10, 5300, 60}, screens, 120), 192) << "on none: the nearest";
    EXPECT_EQ(monitorDpi({-500, 10, -200, 60}, screens, 120), 120) << "unknown: the system's";
    EXPECT_EQ(monitorDpi({0, 0, 10, 10}, {}, 0), 96);

    // A note is judged where its stored place is shown: 1200 is 1800 to 2250 at 150 %.
    NoteTable table;
    table.workAreas = screens;
    table.systemDpi = 144;
    NoteSlot note;
    note.x = 1200;
    note.width = 300;
    EXPECT_EQ(cardDpi(table, note), 192);
}

TEST(CardPlacementTest, ACardOffEveryMonitorMovesTheLeastWayOntoTheNearest) {
    const std::vector<WorkArea> screens = {{{0, 0, 1920, 1040}}, {{1920, 200, 3200, 1224}}};
    EXPECT_EQ(fitOnScreen(100, 100, 300, 50, {}), (CardOrigin{100, 100})) << "none known";
    EXPECT_EQ(fitOnScreen(1620, 990, 300, 50, screens), (CardOrigin{1620, 990})) << "exact fit";
    EXPECT_EQ(fitOnScreen(1621, 990, 300, 50, screens), (CardOrigin{1620, 990}));
    // Mostly on the second monitor, above its top edge.
    EXPECT_EQ(fitOnScreen(2000, 150, 300, 50, screens), (CardOrigin{2000, 200}));
    // On none: the nearest, here the second by 800 across.
    EXPECT_EQ(fitOnScreen(4000, 900, 300, 50, screens), (CardOrigin{2900, 900}));
    // Larger than the work area: its left and top edges stay on it.
    EXPECT_EQ(fitOnScreen(-50, -50, 4000, 3000, screens), (CardOrigin{0, 0}));
    EXPECT_EQ(fitOnScreen(INT32_MAX, INT32_MIN, INT32_MAX, INT32_MAX, screens),
              (CardOrigin{1920, 200}));
}

}  // namespace
}  // namespace yorimemo
