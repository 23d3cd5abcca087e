// Rebuilding one note again and again through the host, with the real mote.dll loaded beside
// this program, must not grow the process: every rebuild replaces mote, bitmap, font and text
// blocks, and the settings file is rewritten in place.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "host/note_host.h"
#include "mote/mote_library_win32.h"
#include "tests/e2e/harness_win32.h"
#include "tests/host/fake_ui.h"
#include "tests/support/process_objects_win32.h"
#include "tests/support/temp_folder.h"

namespace yorimemo::e2e {
namespace {

using testing::gdiObjects;
using testing::heapBytes;
using testing::privateBytes;

// The first rebuilds fill caches and heaps; growth is measured over the rest. Enough of them
// that one bitmap left behind per rebuild takes the private bytes past 5 % (it does within ten),
// and one font or device context, or one block of 32 bytes, per rebuild exceeds the slack below.
constexpr int kSettlingRebuilds = 100;
constexpr int kMeasuredRebuilds = 32;
// What the system's own lazy allocations may add once (96 bytes seen).
constexpr std::size_t kHeapSlack = 1024;

std::string ownDirectory() {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string directory = path;
    return directory.substr(0, directory.find_last_of('\\'));
}

TEST(DrawNoteMemoryTest, RebuildsKeepPrivateBytesAndObjectsFlat) {
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
    for (int round = 0; round < kSettlingRebuilds; ++round) rebuild(round);
    const testing::PrivateBytes settled = privateBytes();
    const std::size_t settledHeap = heapBytes();
    const std::size_t settledObjects = gdiObjects();
    const int total = kSettlingRebuilds + kMeasuredRebuilds;
    for (int round = kSettlingRebuilds; round < total; ++round) rebuild(round);
    const testing::PrivateBytes after = privateBytes();
    const std::size_t afterHeap = heapBytes();
    const std::size_t afterObjects = gdiObjects();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

    std::printf(
        "after %d rebuilds and %d more: private bytes (%s) %zu, then %zu (%+.2f%%); heap bytes "
        "%zu, then %zu; GDI objects %zu, then %zu; %.2f ms per rebuild\n",
        kSettlingRebuilds, kMeasuredRebuilds,
        settled.fromCounters ? "PrivateUsage" : "committed private regions", settled.bytes,
        after.bytes, 100.0 * (static_cast<double>(after.bytes) - settled.bytes) / settled.bytes,
        settledHeap, afterHeap, settledObjects, afterObjects, seconds * 1000.0 / total);
    EXPECT_LE(after.bytes, settled.bytes + settled.bytes / 20);
    EXPECT_LE(afterHeap, settledHeap + kHeapSlack);
    EXPECT_EQ(afterObjects, settledObjects);
    // The note really was rebuilt each time: the last save holds a fresh mote id.
    EXPECT_EQ(iniValue(ini, "Husen1", "Priority"), "0");
    EXPECT_NE(iniValue(ini, "Husen1", "ID", "-1"), "-1");

    host.closeMoteLibrary();
    ::DestroyWindow(window);
    ::DeleteFileA(ini.c_str());
}

}  // namespace
}  // namespace yorimemo::e2e
