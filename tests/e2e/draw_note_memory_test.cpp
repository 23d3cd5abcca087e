// Rebuilding one note ten thousand times through the host, with the real mote.dll loaded beside
// this program, must not grow the process: every rebuild replaces mote, bitmap, font and text
// blocks, and the settings file is rewritten in place.
// clang-format off
#include <windows.h>
#include <psapi.h>
// clang-format on

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "host/note_host.h"
#include "mote/mote_library_win32.h"
#include "tests/e2e/harness_win32.h"
#include "tests/host/fake_ui.h"
#include "tests/support/temp_folder.h"

namespace yorimemo::e2e {
namespace {

struct PrivateBytes {
    std::size_t bytes = 0;
    bool fromCounters = false;
};

// Committed private memory: the process counters where they are kept; Wine reports PrivateUsage
// as 0, so there the private committed regions are added up.
PrivateBytes privateBytes() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (::GetProcessMemoryInfo(::GetCurrentProcess(),
                               reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                               sizeof counters) &&
        counters.PrivateUsage != 0) {
        return {counters.PrivateUsage, true};
    }
    PrivateBytes total;
    MEMORY_BASIC_INFORMATION region{};
    const char* address = nullptr;
    while (::VirtualQuery(address, &region, sizeof region) == sizeof region) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) {
            total.bytes += region.RegionSize;
        }
        const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
        if (next <= address) break;
        address = next;
    }
    return total;
}

std::string ownDirectory() {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string directory = path;
    return directory.substr(0, directory.find_last_of('\\'));
}

TEST(DrawNoteMemoryTest, TenThousandRebuildsKeepPrivateBytesWithinFivePercent) {
    const std::string directory = ownDirectory();
    ASSERT_TRUE(fileExists(directory + "\\mote.dll")) << "the real library belongs beside the test";
    const std::string ini = directory + "\\draw-note-memory.ini";
    ::DeleteFileA(ini.c_str());

    fakes::NoUi ui;  // drawing never reaches the window system
    NoteHost host(ini, ui);
    NoteSlot& note = host.table().slots[0];
    note.moteId = 0;
    note.x = 200;
    note.y = 200;
    note.width = 300;
    note.color = kYellow;
    note.fontName = "\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E";
    note.fontSize = 9;
    for (int line = 0; line < 6; ++line) {
        note.text += "\x95\x74\xE2\xB3 line that wraps inside the card's margins, more or less\r\n";
    }
    auto library = std::make_unique<CMoteLibrary>(testing::Wide(directory), kMoteFileName);
    ASSERT_NE(library->module(), nullptr);
    const HWND window = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                          nullptr, nullptr);
    host.openMoteLibrary(std::move(library), reinterpret_cast<LibraryHandle>(window));

    const auto started = std::chrono::steady_clock::now();
    auto rebuild = [&](int round) {
        host.drawNote(0, round);
        pumpMessages(0);
    };
    for (int round = 0; round < 100; ++round) rebuild(round);
    const PrivateBytes afterHundred = privateBytes();
    for (int round = 100; round < 10000; ++round) rebuild(round);
    const PrivateBytes afterTenThousand = privateBytes();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

    std::printf(
        "private bytes (%s): after 100 rebuilds %zu, after 10000 %zu (%+.2f%%); "
        "%.2f ms per rebuild\n",
        afterHundred.fromCounters ? "PrivateUsage" : "committed private regions",
        afterHundred.bytes, afterTenThousand.bytes,
        100.0 * (static_cast<double>(afterTenThousand.bytes) - afterHundred.bytes) /
            afterHundred.bytes,
        seconds * 1000.0 / 10000);
    EXPECT_LE(afterTenThousand.bytes, afterHundred.bytes + afterHundred.bytes / 20);
    // The note really was rebuilt each time: the last save holds a fresh mote id.
    EXPECT_EQ(iniValue(ini, "Husen1", "Priority"), "0");
    EXPECT_NE(iniValue(ini, "Husen1", "ID", "-1"), "-1");

    host.closeMoteLibrary();
    ::DestroyWindow(window);
    ::DeleteFileA(ini.c_str());
}

}  // namespace
}  // namespace yorimemo::e2e
