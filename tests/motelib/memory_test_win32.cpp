// Rebuilding a note again and again, as the program does on every change, must not grow the
// process: texts handed over are freed, and bitmaps, fonts and windows do not pile up.

#include <windows.h>

#include <cstdio>
#include <string>

#include "mote_test_fixture_win32.h"
#include "tests/support/process_objects_win32.h"
#include "text/default_face.h"

namespace yorimemo::motelib::testing {
namespace {

using yorimemo::testing::gdiObjects;
using yorimemo::testing::heapBytes;
using yorimemo::testing::privateBytes;

// The first rebuilds fill caches and heaps; growth is measured over the rest. Enough of them
// that one bitmap left behind per rebuild takes the private bytes past 5 % (it does within ten),
// and one font or device context, or one block of 32 bytes, per rebuild exceeds the slack below.
constexpr int kSettlingRebuilds = 100;
constexpr int kMeasuredRebuilds = 32;
// What the system's own lazy allocations may add once (96 bytes seen).
constexpr std::size_t kHeapSlack = 1024;

using MemoryTest = MoteTest;

TEST_F(MemoryTest, NoteRebuildsKeepPrivateBytesAndObjectsFlat) {
    std::string text;
    for (int i = 0; i < 12; ++i) {
        text += "\x83\x81\x83\x82 line of a note that wraps at the card's width, ";
        text += "\x82\xA0\x82\xA2\x82\xA4\x8A\xBF\x8E\x9A\r\n";
    }
    int moteId = -1;
    MoteHandle bitmap = 0;
    // One rebuild in the program's order: the old mote and bitmap are replaced. Every tenth
    // round replaces the mote too; windows cost the most time and ten in a hundred still show
    // any that pile up.
    auto rebuild = [&](int round) {
        const bool withMote = round % 10 == 0;
        dll.lockDraw();
        const MoteHandle font = dll.createFontNamed(kDefaultFaceShiftJis, 9);
        int rect[4] = {5, 6, 195, 0};
        dll.measure(text, font, rect);
        if (withMote) {
            if (moteId >= 0) dll.remove(moteId);
            moteId = dll.create(100, 100, 0, 0, round);
        }
        if (bitmap != 0) dll.deleteBitmap(bitmap);
        MoteHandle surface = 0;
        bitmap = dll.createBitmap(200, rect[3] + 5, &surface);
        dll.setImage(moteId, bitmap, surface);
        dll.fillRect(bitmap, surface, 0, 1, 200, rect[3] + 4, 0xFFFF7F);
        dll.drawLine(bitmap, surface, 0, 0, 199, 0, 0x000000);
        dll.draw(bitmap, text, font, 0x808000, rect);
        dll.deleteFont(font);
        dll.updateImage(moteId);
        dll.unlockDraw();
    };

    for (int round = 0; round < kSettlingRebuilds; ++round) rebuild(round);
    pumpMessages(0);
    const std::size_t settled = privateBytes().bytes;
    const std::size_t settledHeap = heapBytes();
    const std::size_t settledObjects = gdiObjects();
    for (int round = kSettlingRebuilds; round < kSettlingRebuilds + kMeasuredRebuilds; ++round) {
        rebuild(round);
    }
    pumpMessages(0);
    const std::size_t after = privateBytes().bytes;
    const std::size_t afterHeap = heapBytes();
    const std::size_t afterObjects = gdiObjects();

    ASSERT_GT(settled, 0u);
    ASSERT_GT(settledObjects, 0u);
    std::printf(
        "after %d rebuilds and %d more: private bytes %zu, then %zu (%+.2f%%); heap bytes %zu, "
        "then %zu; GDI objects %zu, then %zu\n",
        kSettlingRebuilds, kMeasuredRebuilds, settled, after,
        100.0 * (static_cast<double>(after) - settled) / settled, settledHeap, afterHeap,
        settledObjects, afterObjects);
    EXPECT_LE(after, settled + settled / 20);
    EXPECT_LE(afterHeap, settledHeap + kHeapSlack);
    EXPECT_EQ(afterObjects, settledObjects);
    EXPECT_EQ(moteWindowsFrontToBack().size(), 1u);
    EXPECT_TRUE(IsWindowVisible(moteWindow(moteId)));
}

}  // namespace
}  // namespace yorimemo::motelib::testing
