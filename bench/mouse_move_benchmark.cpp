// Native timing of one pointer move during a drag: the event message as the library sends it,
// through the host's splitting and lookup, to the library calls. The library does nothing here,
// so the figure is the program's own share of every step of a drag.

#include <benchmark/benchmark.h>

#include <array>
#include <filesystem>
#include <string>

#include "bench/hundred_notes.h"
#include "host/note_host.h"
#include "notes/settings_file.h"
#include "tests/host/fake_ui.h"

namespace yorimemo::bench {
namespace {

// Answers every call at once; ids count up so that each note gets its own.
class QuietLibrary : public MoteLibrary {
public:
    bool attach(LibraryHandle) override { return true; }
    bool floating(std::int32_t) override { return true; }
    std::optional<std::int32_t> create(std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                                       std::int32_t) override {
        return nextId_++;
    }
    bool remove(std::int32_t) override { return true; }
    bool setPriority(std::int32_t, std::int32_t) override { return true; }
    bool move(std::int32_t, std::int32_t, std::int32_t) override { return true; }
    bool hide(std::int32_t) override { return true; }
    bool show(std::int32_t) override { return true; }
    std::optional<std::int32_t> posX(std::int32_t) override { return 400; }
    std::optional<std::int32_t> posY(std::int32_t) override { return 300; }
    bool setImage(std::int32_t, LibraryHandle, LibraryHandle) override { return true; }
    bool updateImage(std::int32_t) override { return true; }
    bool lockDraw() override { return true; }
    bool quietStack(std::int32_t) override { return true; }
    bool setTitle(std::int32_t, std::string_view, TextEncoding) override { return true; }
    bool unlockDraw() override { return true; }
    bool redraw() override { return true; }
    bool updateDesktopSize() override { return true; }
    std::optional<LibraryHandle> createBitmap(std::int32_t, std::int32_t,
                                              LibraryHandle* surface) override {
        if (surface != nullptr) *surface = 2;
        return 1;
    }
    bool deleteBitmap(LibraryHandle) override { return true; }
    bool fillRect(LibraryHandle, LibraryHandle, std::int32_t, std::int32_t, std::int32_t,
                  std::int32_t, std::uint32_t) override {
        return true;
    }
    bool drawLine(LibraryHandle, LibraryHandle, std::int32_t, std::int32_t, std::int32_t,
                  std::int32_t, std::uint32_t) override {
        return true;
    }
    std::optional<LibraryHandle> createFont(std::string_view, TextEncoding, std::int32_t,
                                            std::int32_t) override {
        return 3;
    }
    bool deleteFont(LibraryHandle) override { return true; }
    bool drawText(LibraryHandle, std::string_view, TextEncoding, LibraryHandle, std::uint32_t,
                  TextRect*, std::uint32_t) override {
        return true;
    }

private:
    std::int32_t nextId_ = 0;
};

std::string eventMessage(const char* name, int id, int x, int y) {
    return std::string(name) + "\r\n" + std::to_string(id) + "\r\n" + std::to_string(x) + "\r\n" +
           std::to_string(y) + "\r\n";
}

// Argument: how many notes are stored; the drag holds the last of them, so the slot lookup
// walks past all the others.
void mouseMoveDuringDrag(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const NoteFile file("yorimemo-mouse-move-bench", count);
    fakes::NoUi ui;
    NoteHost host(file.path(), ui);
    host.setDesktopExtent({1280, 1024});
    host.loadSettings();
    host.openMoteLibrary(std::make_unique<QuietLibrary>(), 1);
    const std::int32_t dragged = host.table().slots[static_cast<std::size_t>(count - 1)].moteId;
    host.onEventMessage(eventMessage("OnMoteLButtonDown", dragged, 500, 400));
    if (host.drag().active != 1) {
        state.SkipWithError("the press did not start a drag");
        return;
    }

    // Positions that always differ from the last one, built beforehand as the library's
    // message buffers would be.
    std::array<std::string, 64> moves;
    for (std::size_t i = 0; i < moves.size(); ++i) {
        const int step = static_cast<int>(i);
        moves[i] = eventMessage("OnMoteMouseMove", dragged, 501 + step, 401 + step / 2);
    }
    std::size_t next = 0;
    for (auto _ : state) {
        host.onEventMessage(moves[next]);
        next = (next + 1) % moves.size();
        benchmark::DoNotOptimize(host.drag().lastX);
    }
    if (host.table().slots[static_cast<std::size_t>(count - 1)].x != 400) {
        state.SkipWithError("the moves did not read the position back");
    }
}
BENCHMARK(mouseMoveDuringDrag)->Arg(1)->Arg(100);

}  // namespace
}  // namespace yorimemo::bench

BENCHMARK_MAIN();
