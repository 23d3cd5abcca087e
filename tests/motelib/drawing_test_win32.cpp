// Drawing into bitmaps (read back with GetDIBits) and what the motes show on the screen.

#include <algorithm>
#include <string>

#include "mote_test_fixture_win32.h"
#include "text/default_face.h"

namespace yorimemo::motelib::testing {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
// "あいう漢字" in code page 932.
constexpr char kJapanese[] = "\x82\xA0\x82\xA2\x82\xA4\x8A\xBF\x8E\x9A";

struct Bitmap {
    MoteHandle handle = 0;
    MoteHandle surface = 0;
    int width = 0;
    int height = 0;
};

// Rows and columns that hold any pixel other than the background.
struct Ink {
    int top = -1, bottom = -1, left = -1, right = -1;  // inclusive; -1 when nothing
    int count = 0;
};

int CALLBACK noteFace(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool faceInstalled(const char* face) {
    LOGFONTA wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(wanted.lfFaceName, face, LF_FACESIZE);
    bool found = false;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExA(screen, &wanted, noteFace, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

class DrawingTest : public MoteTest {
protected:
    Bitmap makeBitmap(int width, int height, std::uint32_t background = kWhite) {
        Bitmap bitmap{0, 0, width, height};
        bitmap.handle = dll.createBitmap(width, height, &bitmap.surface);
        EXPECT_NE(bitmap.handle, 0);
        EXPECT_NE(bitmap.surface, 0);
        dll.fillRect(bitmap.handle, bitmap.surface, 0, 0, width, height, background);
        return bitmap;
    }

    std::vector<std::uint32_t> pixels(const Bitmap& bitmap) {
        return readBitmap(bitmap.surface, bitmap.width, bitmap.height);
    }

    Ink ink(const Bitmap& bitmap, std::uint32_t background = kWhite) {
        const std::vector<std::uint32_t> all = pixels(bitmap);
        Ink result;
        for (int y = 0; y < bitmap.height; ++y) {
            for (int x = 0; x < bitmap.width; ++x) {
                if (all[static_cast<std::size_t>(y) * bitmap.width + x] == background) continue;
                ++result.count;
                if (result.top < 0) result.top = y;
                result.bottom = y;
                result.left = result.left < 0 ? x : std::min(result.left, x);
                result.right = std::max(result.right, x);
            }
        }
        return result;
    }

    int lineHeight(MoteHandle font) {
        int rect[4] = {0, 0, 1000, 0};
        dll.measure("Ag", font, rect);
        return rect[3];
    }
};

TEST_F(DrawingTest, FillRectTakesColoursAsRgbAndClipsToTheBitmap) {
    const Bitmap bitmap = makeBitmap(20, 10, 0x000000);
    EXPECT_EQ(dll.fillRect(bitmap.handle, bitmap.surface, 2, 3, 4, 5, 0x123456), 1);
    EXPECT_EQ(dll.fillRect(bitmap.handle, bitmap.surface, 15, -5, 100, 7, 0xFF0000), 1);
    EXPECT_EQ(dll.fillRect(bitmap.handle, bitmap.surface, 0, 0, -3, 5, 0x00FF00), 0);
    const std::vector<std::uint32_t> all = pixels(bitmap);
    ASSERT_EQ(all.size(), 200u);
    auto at = [&](int x, int y) { return all[static_cast<std::size_t>(y) * 20 + x]; };
    EXPECT_EQ(at(2, 3), 0x123456u);
    EXPECT_EQ(at(5, 7), 0x123456u);
    EXPECT_EQ(at(6, 7), 0x000000u) << "width is a count, the right edge is excluded";
    EXPECT_EQ(at(5, 8), 0x000000u);
    EXPECT_EQ(at(1, 3), 0x000000u);
    EXPECT_EQ(at(15, 0), 0xFF0000u);
    EXPECT_EQ(at(19, 1), 0xFF0000u);
    EXPECT_EQ(at(19, 2), 0x000000u);
    EXPECT_EQ(at(0, 0), 0x000000u) << "a negative width draws nothing";
    EXPECT_EQ(dll.getPixel(bitmap.handle, bitmap.surface, 3, 4), 0x123456u);
    EXPECT_EQ(dll.getPixel(bitmap.handle, bitmap.surface, 20, 0), 0xFFFFFFFFu);
}

TEST_F(DrawingTest, LinesReachBothEndPoints) {
    const Bitmap bitmap = makeBitmap(30, 12);
    // A note's top edge: (0, 0) to (width - 1, 0).
    EXPECT_EQ(dll.drawLine(bitmap.handle, bitmap.surface, 0, 0, 29, 0, 0x00FF00), 1);
    EXPECT_EQ(dll.drawLine(bitmap.handle, bitmap.surface, 2, 2, 11, 11, 0x0000FF), 1);
    const std::vector<std::uint32_t> all = pixels(bitmap);
    for (int x = 0; x < 30; ++x) EXPECT_EQ(all[x], 0x00FF00u) << "x " << x;
    for (int x = 0; x < 30; ++x) EXPECT_EQ(all[30 + x], kWhite) << "row 1 untouched, x " << x;
    for (int i = 2; i <= 11; ++i) EXPECT_EQ(all[i * 30 + i], 0x0000FFu) << "diagonal " << i;
}

TEST_F(DrawingTest, RectOutlinePixelsAndWholeFill) {
    const Bitmap bitmap = makeBitmap(10, 10);
    EXPECT_EQ(dll.drawRect(bitmap.handle, bitmap.surface, 1, 1, 5, 4, 0xABCDEF), 1);
    EXPECT_EQ(dll.getPixel(bitmap.handle, bitmap.surface, 1, 1), 0xABCDEFu);
    EXPECT_EQ(dll.getPixel(bitmap.handle, bitmap.surface, 5, 4), 0xABCDEFu);
    EXPECT_EQ(dll.getPixel(bitmap.handle, bitmap.surface, 3, 2), kWhite);
    EXPECT_EQ(dll.getPixel(bitmap.handle, bitmap.surface, 6, 4), kWhite);
    EXPECT_EQ(dll.setPixel(bitmap.handle, bitmap.surface, 9, 9, 0x010203), 1);
    EXPECT_EQ(pixels(bitmap)[99], 0x010203u);
    EXPECT_EQ(dll.setPixel(bitmap.handle, bitmap.surface, 10, 9, 0), 0);
    EXPECT_EQ(dll.fill(bitmap.handle, bitmap.surface, 0x445566), 1);
    const std::vector<std::uint32_t> all = pixels(bitmap);
    EXPECT_TRUE(std::all_of(all.begin(), all.end(), [](auto p) { return p == 0x445566u; }));
}

TEST_F(DrawingTest, MeasuredHeightIsWhereTheDrawnTextEnds) {
    const MoteHandle font = dll.createFontNamed(kDefaultFaceShiftJis, 9);
    ASSERT_NE(font, 0);
    const int line = lineHeight(font);
    EXPECT_GE(line, 11);
    EXPECT_LE(line, 18);

    const std::string texts[] = {
        "Short",
        "The quick brown fox jumps over the lazy dog, twice over and again",
        std::string("First line\r\n") + kJapanese + "\r\nthird",
    };
    for (const std::string& text : texts) {
        SCOPED_TRACE(text);
        int rect[4] = {5, 6, 115, 0};
        EXPECT_EQ(dll.measure(text, font, rect), 1);
        EXPECT_EQ(rect[0], 5);
        EXPECT_EQ(rect[1], 6);
        EXPECT_EQ(rect[2], 115) << "the width stays as given";
        const int height = rect[3] - rect[1];
        EXPECT_EQ(height % line, 0);
        EXPECT_GE(height, line);

        const Bitmap bitmap = makeBitmap(120, rect[3] + 40);
        EXPECT_EQ(dll.draw(bitmap.handle, text, font, 0x000000, rect), 1);
        const Ink drawn = ink(bitmap);
        ASSERT_GT(drawn.count, 0);
        EXPECT_GE(drawn.top, 6);
        EXPECT_GE(drawn.left, 5);
        EXPECT_LT(drawn.right, 115) << "wrapped inside the rectangle";
        EXPECT_LT(drawn.bottom, rect[3]);
        EXPECT_GE(drawn.bottom, rect[3] - line) << "the last measured line holds text";
    }
    int wrapped[4] = {5, 6, 115, 0};
    dll.measure(texts[1], font, wrapped);
    EXPECT_GE(wrapped[3] - wrapped[1], 3 * line) << "a long text wraps at the width";
    int lines[4] = {5, 6, 115, 0};
    dll.measure(texts[2], font, lines);
    EXPECT_EQ(lines[3] - lines[1], 3 * line) << "CR LF breaks lines";
    dll.deleteFont(font);
}

int screenDpi() {
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return dpi;
}

// The UTF-16 calls draw exactly what the code page 932 calls draw, on every system code page;
// a font asked for twice the pixels per inch is twice as high.
TEST_F(DrawingTest, TheUtf16CallsDrawWhatTheCodePage932CallsDraw) {
    const std::wstring face = L"\uFF2D\uFF33 \u30B4\u30B7\u30C3\u30AF";
    const std::wstring text = L"First line\r\n\u65E5\u672C\u8A9E\u306E\u4ED8\u7B8B\r\nthird";
    const std::string bytes =
        "First line\r\n\x93\xfa\x96\x7b\x8c\xea\x82\xcc\x95\x74\xe2\xb3\r\nthird";
    const MoteHandle narrowFont = dll.createFontNamed(kDefaultFaceShiftJis, 9);
    const MoteHandle wideFont = dll.createFontW(face.data(), static_cast<int>(face.size()), 9, 0);
    ASSERT_NE(wideFont, 0);

    int narrowRect[4] = {5, 6, 115, 0};
    int wideRect[4] = {5, 6, 115, 0};
    dll.measure(bytes, narrowFont, narrowRect);
    dll.drawTextW(0, text.data(), static_cast<int>(text.size()), wideFont, 0, wideRect, 0x410);
    EXPECT_EQ(wideRect[3], narrowRect[3]);

    const Bitmap narrow = makeBitmap(120, narrowRect[3] + 10);
    const Bitmap wide = makeBitmap(120, narrowRect[3] + 10);
    dll.draw(narrow.handle, bytes, narrowFont, 0x000000, narrowRect);
    dll.drawTextW(wide.handle, text.data(), static_cast<int>(text.size()), wideFont, 0x000000,
                  wideRect, 0x10);
    EXPECT_GT(ink(wide).count, 0);
    EXPECT_EQ(pixels(wide), pixels(narrow));

    const MoteHandle doubled =
        dll.createFontW(face.data(), static_cast<int>(face.size()), 9, 2 * screenDpi());
    EXPECT_GE(lineHeight(doubled), 2 * lineHeight(wideFont) - 2);
    for (const MoteHandle font : {narrowFont, wideFont, doubled}) dll.deleteFont(font);
}

TEST_F(DrawingTest, TextColourArrivesAsRgbOnATransparentBackground) {
    const MoteHandle font = dll.createFontNamed(kDefaultFaceShiftJis, 12);
    const Bitmap bitmap = makeBitmap(100, 30, 0x7FFFFF);
    int rect[4] = {2, 2, 98, 0};
    dll.measure("HHHH", font, rect);
    ASSERT_EQ(dll.draw(bitmap.handle, "HHHH", font, 0xFF0000, rect), 1);
    const std::vector<std::uint32_t> all = pixels(bitmap);
    // The strongest ink pixel: red must rise, green and blue fall; a swapped order gives blue.
    std::uint32_t strongest = 0x7FFFFF;
    for (const std::uint32_t pixel : all) {
        if ((pixel & 0xFF) < (strongest & 0xFF)) strongest = pixel;
    }
    EXPECT_GE((strongest >> 16) & 0xFF, 0xC0u) << std::hex << strongest;
    EXPECT_LE(strongest & 0xFF, 0x40u) << std::hex << strongest;
    EXPECT_LE((strongest >> 8) & 0xFF, 0x40u) << std::hex << strongest;
    // Between the letters the card's colour is untouched: no opaque text background.
    EXPECT_EQ(all[static_cast<std::size_t>(rect[3] + 1) * 100 + 50], 0x7FFFFFu);
    EXPECT_EQ(std::count(all.begin(), all.end(), 0x7FFFFFu) > 2000, true);
}

TEST_F(DrawingTest, AFaceThatIsNotInstalledDrawsWithAJapaneseFont) {
    const MoteHandle installed = dll.createFontNamed("IPAGothic", 9);
    const MoteHandle missing = dll.createFontNamed("NoSuchFace", 9);
    const MoteHandle unnamed = dll.createFont(nullptr, 0, 9);
    ASSERT_NE(missing, 0);
    ASSERT_NE(unnamed, 0);
    auto drawWith = [&](MoteHandle font, const char* text) {
        const Bitmap bitmap = makeBitmap(120, 30);
        int rect[4] = {0, 0, 120, 0};
        dll.measure(text, font, rect);
        dll.draw(bitmap.handle, text, font, 0x000000, rect);
        return pixels(bitmap);
    };
    const auto fallback = drawWith(missing, kJapanese);
    EXPECT_EQ(drawWith(unnamed, kJapanese), fallback);
    EXPECT_NE(drawWith(missing, "\x82\xA0"), drawWith(missing, "\x82\xA2"))
        << "two kana must not draw as the same missing-glyph box";
    if (!faceInstalled("IPAGothic")) GTEST_SKIP() << "IPAGothic is not there to compare with";
    EXPECT_EQ(drawWith(installed, kJapanese), fallback);
}

TEST_F(DrawingTest, FontSizeIsInPointsAndAnUnknownFontDrawsWithTheDefault) {
    const MoteHandle small = dll.createFontNamed(kDefaultFaceShiftJis, 9);
    const MoteHandle large = dll.createFontNamed(kDefaultFaceShiftJis, 18);
    const int smallLine = lineHeight(small);
    const int largeLine = lineHeight(large);
    EXPECT_GE(largeLine * 10, smallLine * 17);
    EXPECT_LE(largeLine * 10, smallLine * 23);
    EXPECT_EQ(lineHeight(0), smallLine) << "no font: the default face at 9 points";
    EXPECT_EQ(lineHeight(small + large + 50), smallLine);
    EXPECT_EQ(dll.deleteFont(large), 1);
    EXPECT_EQ(lineHeight(large), smallLine) << "a deleted font is unknown";
}

TEST_F(DrawingTest, EmptyTextMeasuresNoLinesAndDrawingNeedsABitmap) {
    int rect[4] = {5, 6, 100, 77};
    EXPECT_EQ(dll.drawText(0, nullptr, 0, 0, 0, rect, 0x410), 1);
    EXPECT_EQ(rect[3], 6);
    const Bitmap bitmap = makeBitmap(20, 20);
    int area[4] = {0, 0, 20, 20};
    EXPECT_EQ(dll.drawText(bitmap.handle, nullptr, 0, 0, 0, area, 0x10), 1);
    EXPECT_EQ(ink(bitmap).count, 0);
    EXPECT_EQ(dll.draw(0, "text", 0, 0, area), 0) << "drawing without a bitmap is refused";
}

class ScreenTest : public DrawingTest {
protected:
    bool screenShows(int x, int y, std::uint32_t color) {
        return waitFor([&] { return screenPixel(x, y) == color; }, 3000);
    }
};

TEST_F(ScreenTest, AMoteShowsItsImageCopyUntilUpdated) {
    const Bitmap bitmap = makeBitmap(100, 60, 0x7FFFFF);
    dll.drawLine(bitmap.handle, bitmap.surface, 0, 0, 99, 0, 0x000000);
    dll.fillRect(bitmap.handle, bitmap.surface, 80, 40, 10, 10, 0xFF0000);
    const int id = dll.create(300, 250, 0, 0, 0);
    dll.setImage(id, bitmap.handle, bitmap.surface);
    dll.updateImage(id);
    EXPECT_TRUE(screenShows(310, 270, 0x7FFFFF)) << std::hex << screenPixel(310, 270);
    EXPECT_TRUE(screenShows(399, 250, 0x000000));
    EXPECT_TRUE(screenShows(385, 295, 0xFF0000)) << "red stays red on the screen";

    // Drawing into the bitmap changes the screen only at _update_image_h.
    dll.fillRect(bitmap.handle, bitmap.surface, 0, 1, 100, 59, 0x00FF00);
    dll.redraw();
    EXPECT_FALSE(screenShows(310, 270, 0x00FF00));
    dll.updateImage(id);
    EXPECT_TRUE(screenShows(310, 270, 0x00FF00));

    // The mote keeps its image when the bitmap is freed, and follows a move.
    EXPECT_EQ(dll.deleteBitmap(bitmap.handle), 1);
    EXPECT_EQ(dll.updateImage(id), 0);
    dll.move(id, 40, 0);
    EXPECT_TRUE(screenShows(345, 270, 0x00FF00));
    EXPECT_TRUE(screenShows(435, 250, 0x000000));

    // Rebuilt under a lock, the note shows its old picture until the release, even when its
    // window is painted meanwhile.
    dll.lockDraw();
    dll.remove(id);
    const Bitmap next = makeBitmap(100, 60, 0xFFFF7F);
    const int rebuilt = dll.create(340, 250, 0, 0, 0);
    dll.setImage(rebuilt, next.handle, next.surface);
    dll.updateImage(rebuilt);
    RedrawWindow(moteWindow(rebuilt), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(screenShows(345, 270, 0x00FF00));
    dll.unlockDraw();
    EXPECT_TRUE(screenShows(345, 270, 0xFFFF7F));
}

TEST_F(ScreenTest, NotesOnTheScreenAreSavedAsAScreenshot) {
    const MoteHandle font = dll.createFontNamed(kDefaultFaceShiftJis, 9);
    const std::string texts[] = {
        std::string(kJapanese) + "\r\nA floating note with a few lines of text that wrap.",
        "Magenta note\r\n\x83\x81\x83\x82",  // "メモ"
    };
    const std::uint32_t fills[] = {0x7FFFFF, 0xFF7FFF};
    const std::uint32_t inks[] = {0x008080, 0x800080};
    for (int i = 0; i < 2; ++i) {
        int rect[4] = {5, 6, 155, 0};
        dll.measure(texts[i], font, rect);
        const int height = std::max(rect[3] + 5, 60);
        const Bitmap bitmap = makeBitmap(160, height, fills[i]);
        dll.drawLine(bitmap.handle, bitmap.surface, 0, 0, 159, 0, 0x000000);
        dll.draw(bitmap.handle, texts[i], font, inks[i], rect);
        const int id = dll.create(100 + 120 * i, 100 + 50 * i, 0, 0, i);
        dll.setImage(id, bitmap.handle, bitmap.surface);
        dll.updateImage(id);
    }
    EXPECT_TRUE(screenShows(250, 200, 0xFF7FFF));

    const std::string directory = programDirectory();
    const std::string target = unixPath(directory + "motelib-screen.png");
    if (target.empty()) GTEST_SKIP() << "no Linux side to take a screenshot with";
    DeleteFileA((directory + "motelib-screen.png").c_str());
    // Written under a temporary name and renamed, so a file that exists is complete.
    const std::string command = "/bin/sh -c \"/usr/bin/import -window root '" + target +
                                ".part.png' && mv '" + target + ".part.png' '" + target + "'\"";
    ASSERT_TRUE(startLinuxProgram(command));
    EXPECT_TRUE(waitFor(
        [&] {
            return GetFileAttributesA((directory + "motelib-screen.png").c_str()) !=
                   INVALID_FILE_ATTRIBUTES;
        },
        20000));
}

}  // namespace
}  // namespace yorimemo::motelib::testing
