// Rebuilding a note thousands of times, as the program does on every change, must not grow the
// process: texts handed over are freed, and bitmaps, fonts and windows do not pile up.

// clang-format off
#include <windows.h>
#include <psapi.h>
// clang-format on

#include <cstdio>
#include <string>

#include "mote_test_fixture_win32.h"
#include "text/default_face.h"

namespace yorimemo::motelib::testing {
namespace {

// Committed private memory. Wine reports PrivateUsage as 0, so the address space is walked
// there instead.
std::size_t privateBytes() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof(counters);
    if (GetProcessMemoryInfo(GetCurrentProcess(),
                             reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                             sizeof(counters)) &&
        counters.PrivateUsage != 0) {
        return counters.PrivateUsage;
    }
    std::size_t total = 0;
    MEMORY_BASIC_INFORMATION region{};
    const char* address = nullptr;
    while (VirtualQuery(address, &region, sizeof(region)) == sizeof(region)) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
        const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
        if (next <= address) break;
        address = next;
    }
    return total;
}

using MemoryTest = MoteTest;

TEST_F(MemoryTest, TenThousandNoteRebuildsKeepPrivateBytesFlat) {
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

    for (int round = 0; round < 100; ++round) rebuild(round);
    pumpMessages(0);
    const std::size_t settled = privateBytes();
    for (int round = 100; round < 10000; ++round) {
        rebuild(round);
        if (round % 500 == 0) pumpMessages(0);
    }
    pumpMessages(0);
    const std::size_t after = privateBytes();

    ASSERT_GT(settled, 0u);
    std::printf("private bytes after 100 rebuilds: %zu, after 10000: %zu (%+.2f%%)\n", settled,
                after, 100.0 * (static_cast<double>(after) - settled) / settled);
    EXPECT_LE(after, settled + settled / 20);
    EXPECT_EQ(moteWindowsFrontToBack().size(), 1u);
    EXPECT_TRUE(IsWindowVisible(moteWindow(moteId)));
}

}  // namespace
}  // namespace yorimemo::motelib::testing
