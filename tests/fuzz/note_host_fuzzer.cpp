// Sends the host a run of event messages, as the library or any other program on the desktop
// could, with the recording library and the window system double in place of the real ones:
// every event name, ids of real cards and of none, extreme positions, broken lines, stray bytes.
// Whatever arrives, nothing may crash or leak, no menu or dialog stays open, no card comes or
// goes, and only a press on a card or the release that ends its drag may write the file; at the
// end the file orders the notes as the host does. Messages are separated by the byte 0xFE, which
// no Shift-JIS text holds.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/menu_model.h"
#include "host/note_host.h"
#include "notes/decimal.h"
#include "tests/fuzz/memory_files.h"
#include "tests/host/fake_ui.h"
#include "tests/host/recording_library.h"

namespace {

using namespace yorimemo;

constexpr char kSeparator = '\xFE';
constexpr std::size_t kMaxMessages = 64;
constexpr int kCards = 3;

const std::string kIni = "fuzz.ini";
const std::string kThreeNotes =
    "[System]\r\nFloating=On\r\n"
    "[Husen1]\r\nID=0\r\nPriority=4\r\nPosX=100\r\nPosY=100\r\nWidth=300\r\nType=0\r\n"
    "FontSize=9\r\nText=first\\nnote\r\nTextRed=0\r\n"
    "[Husen2]\r\nID=1\r\nPriority=9\r\nPosX=2000\r\nPosY=300\r\nWidth=250\r\nType=1\r\n"
    "FontSize=12\r\nText=second\r\nTextRed=1\r\n"
    "[Husen5]\r\nID=2\r\nPriority=6\r\nPosX=-500\r\nPosY=5000\r\nWidth=200\r\nType=2\r\n"
    "FontSize=9\r\nText=\x95\x74\xE2\xB3\r\nTextRed=0\r\n";

// The window delivers a posted tray notification once the library's send has returned; the
// menu it opens is dismissed.
class PostingUi final : public fakes::FakeUi {
public:
    using FakeUi::FakeUi;
    std::vector<std::int32_t> posted;

    void postTrayNotify(std::int32_t id, std::int32_t mouseMessage) override {
        FakeUi::postTrayNotify(id, mouseMessage);
        if (mouseMessage == kRightButtonUp) posted.push_back(id);
    }
};

// Line `k` of the message as the protocol defines it: the text ends at its first zero byte, and
// lines 0..k must all be non-empty and ended by CR LF.
std::optional<std::string_view> line(std::string_view message, int k) {
    message = message.substr(0, message.find('\0'));
    std::size_t start = 0;
    for (int index = 0;; ++index) {
        const std::size_t end = message.find("\r\n", start);
        if (end == std::string_view::npos || end == start) return std::nullopt;
        if (index == k) return message.substr(start, end - start);
        start = end + 2;
    }
}

bool isName(std::string_view message, std::string_view name) {
    return line(message, 0) == name;
}

bool isAnyEvent(std::string_view message) {
    for (const char* name :
         {"OnMoteLButtonDown", "OnMoteEdgeLButtonDown", "OnMoteMouseMove", "OnMoteLButtonUp",
          "OnMoteRButtonUp", "OnMoteLButtonDoubleClick", "OnMoteDpiChanged"}) {
        if (isName(message, name)) return true;
    }
    return false;
}

bool namesCard(const NoteHost& host, std::string_view message) {
    const std::optional<std::string_view> id = line(message, 1);
    return id && host.table().findCard(parseDecimal(*id)) >= 0;
}

int cardsShown(const NoteHost& host) {
    return static_cast<int>(std::count_if(host.table().slots.begin(), host.table().slots.end(),
                                          [](const NoteSlot& note) { return note.hasCard; }));
}

void deliver(NoteHost& host, PostingUi& ui, std::string_view message) {
    host.onEventMessage(message);
    for (std::size_t i = 0; i < ui.posted.size(); ++i) {
        host.onTrayNotify(ui.posted[i], kRightButtonUp);
    }
    ui.posted.clear();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);

    fuzz::MemoryFiles files;
    files.files[kIni] = kThreeNotes;
    std::vector<std::string> log;
    PostingUi ui(log);
    // Two monitors of different scales, so that placement and scaling take their longer ways.
    ui.screens = {{{0, 0, 1920, 1040}, 96}, {{1920, 0, 3200, 1024}, 144}};
    NoteHost host(kIni, ui, files);
    host.setDesktopExtent({3200, 1080});
    host.loadSettings();
    host.openMoteLibrary(std::make_unique<fakes::RecordingLibrary>(log), 0x1234);
    if (cardsShown(host) != kCards) std::abort();

    std::size_t start = 0;
    for (std::size_t count = 0; start <= input.size() && count < kMaxMessages; ++count) {
        const std::size_t end = std::min(input.find(kSeparator, start), input.size());
        const std::string_view message = input.substr(start, end - start);
        start = end + 1;

        const std::string fileBefore = files.files[kIni];
        const std::size_t callsBefore = log.size();
        const bool draggingCard =
            host.drag().active == 1 && host.table().findCard(host.drag().moteId) >= 0;
        const bool press =
            isName(message, "OnMoteLButtonDown") || isName(message, "OnMoteEdgeLButtonDown");
        const bool mayWrite = (press && namesCard(host, message)) ||
                              (isName(message, "OnMoteLButtonUp") && draggingCard);

        deliver(host, ui, message);

        if (!isAnyEvent(message) && log.size() != callsBefore) std::abort();
        if (!mayWrite && files.files[kIni] != fileBefore) std::abort();
        if (host.busy() || host.noteMenuFlag() != 0) std::abort();
        if (cardsShown(host) != kCards || host.hasUnsavedChanges()) std::abort();
    }

    // Once the drag ends, a later start stacks the notes as this run shows them.
    deliver(host, ui, "OnMoteLButtonUp\r\n-1\r\n0\r\n0\r\n");
    NoteTable reread;
    SettingsFile(kIni, files).load(reread);
    if (notesFrontFirst(reread) != notesFrontFirst(host.table())) std::abort();
    host.closeMoteLibrary();
    return 0;
}
