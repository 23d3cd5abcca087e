#include "host/note_host.h"

#include <utility>

#include "host/event_message.h"
#include "mote/note_renderer.h"
#include "notes/decimal.h"

namespace yorimemo {

namespace {

constexpr std::uint32_t kTicksPerDesktopCheck = 20;

std::int32_t centred(std::int32_t extent, std::int32_t size) {
    // Signed division truncates toward zero; 64 bits keep hand-edited sizes from overflowing.
    return static_cast<std::int32_t>((static_cast<std::int64_t>(extent) - size) / 2);
}

}  // namespace

// Marks a menu or dialog as up, so that no second one opens inside it.
class NoteHost::ModalScope {
public:
    explicit ModalScope(NoteHost& host) : host_(host) { ++host_.modalDepth_; }
    ~ModalScope() { --host_.modalDepth_; }
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

private:
    NoteHost& host_;
};

NoteHost::NoteHost(std::string iniPath, HostUi& ui) : settings_(std::move(iniPath)), ui_(ui) {}

void NoteHost::setDesktopExtent(DesktopExtent extent) {
    table_.desktopRight = extent.right;
    table_.desktopBottom = extent.bottom;
}

void NoteHost::loadSettings() {
    settings_.load(table_);
}

void NoteHost::openMoteLibrary(std::unique_ptr<MoteLibrary> library, LibraryHandle window) {
    library_ = std::move(library);
    library_->floating(table_.floating);
    library_->attach(window);
    drag_.active = 0;
    noteMenuFlag_ = 0;
    SettingsFile::Batch oneWrite(settings_);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        NoteSlot& note = table_.slots[slot];
        note.bitmap = 0;
        if (!note.inUse()) continue;
        // The stored id only said "in use"; the library hands out a fresh one.
        note.moteId = -1;
        renderNote(*library_, table_, slot, note.priority, true);
        settings_.saveNote(table_, slot);
    }
}

void NoteHost::closeMoteLibrary() {
    if (!library_) return;
    for (NoteSlot& note : table_.slots) {
        if (note.bitmap != 0) library_->deleteBitmap(note.bitmap);
        note.bitmap = 0;
    }
    library_.reset();
}

void NoteHost::drawNote(int slot, std::int32_t priority) {
    if (library_) renderNote(*library_, table_, slot, priority, table_.slots[slot].inUse());
    settings_.saveNote(table_, slot);
}

int NoteHost::findNote(std::int32_t id) const {
    // A negative id never names a note, though free slots hold negative ids.
    return id < 0 ? -1 : table_.findSlot(id);
}

void NoteHost::onEventMessage(std::string_view payload) {
    if (!library_) return;
    EventFields& fields = library_->eventFields;
    splitEventMessage(payload, fields);
    auto number = [&fields](int line, std::int32_t missing) {
        return fields.lines[line] ? parseDecimal(*fields.lines[line]) : missing;
    };
    const std::int32_t id = number(1, -1);
    const std::int32_t x = number(2, 0);
    const std::int32_t y = number(3, 0);
    if (!fields.lines[0]) return;
    const std::string name = *fields.lines[0];
    if (name == "OnMoteLButtonDown") {
        onButtonDown(id, x, y);
    } else if (name == "OnMoteMouseMove") {
        onMouseMove(x, y);
    } else if (name == "OnMoteLButtonUp") {
        onButtonUp();
    } else if (name == "OnMoteRButtonUp") {
        onRightButtonUp(id);
    } else if (name == "OnMoteLButtonDoubleClick") {
        onDoubleClick(id);
    }
}

void NoteHost::onButtonDown(std::int32_t id, std::int32_t x, std::int32_t y) {
    const int slot = findNote(id);
    if (slot >= 0) {
        const std::int32_t priority = table_.takeNextPriority();
        table_.slots[slot].priority = priority;
        library_->setPriority(id, priority);
        settings_.savePriority(table_, slot);
    }
    drag_ = {1, id, x, y};
}

void NoteHost::onMouseMove(std::int32_t x, std::int32_t y) {
    if (drag_.active != 1) return;
    if (x == drag_.lastX && y == drag_.lastY) return;
    const auto dx = static_cast<std::int32_t>(static_cast<std::int64_t>(x) - drag_.lastX);
    const auto dy = static_cast<std::int32_t>(static_cast<std::int64_t>(y) - drag_.lastY);
    library_->move(drag_.moteId, dx, dy);
    drag_.lastX = x;
    drag_.lastY = y;
    const int slot = findNote(drag_.moteId);
    if (slot < 0) return;
    table_.slots[slot].x = library_->posX(drag_.moteId).value_or(0);
    table_.slots[slot].y = library_->posY(drag_.moteId).value_or(0);
}

void NoteHost::onButtonUp() {
    if (drag_.active != 1) return;
    drag_.active = 0;
    const int slot = findNote(drag_.moteId);
    if (slot >= 0) settings_.savePosition(table_, slot);
}

void NoteHost::onRightButtonUp(std::int32_t id) {
    // Posted, not handled here: the menu's own loop must not run inside the library's send.
    noteMenuFlag_ = 1;
    ui_.postTrayNotify(id, kRightButtonUp);
}

void NoteHost::onDoubleClick(std::int32_t id) {
    const int slot = findNote(id);
    if (slot < 0 || busy()) return;
    ModalScope modal(*this);
    library_->floating(0);
    if (ui_.runEditDialog(slot)) drawNote(slot, table_.slots[slot].priority);
    restoreFloating();
}

void NoteHost::onTrayNotify(std::int32_t id, std::int32_t mouseMessage) {
    if (mouseMessage == kLeftButtonUp) {
        if (library_) library_->redraw();
    } else if (mouseMessage == kRightButtonUp) {
        if (busy()) {
            noteMenuFlag_ = 0;  // dropped: a second menu must not open inside the first
            return;
        }
        showMenu(id);
    }
}

void NoteHost::showMenu(std::int32_t id) {
    ModalScope modal(*this);
    if (library_) library_->floating(0);
    const MenuModel model = noteMenuFlag_ != 0 ? buildNoteMenu(table_, id) : buildTrayMenu(table_);
    noteMenuFlag_ = 0;
    std::unique_ptr<OpenMenu> menu = ui_.createMenu(model);
    const MenuCommand command = menu ? menu->track() : kNoCommand;
    runCommand(command, id);
    ui_.postNull();
    menu.reset();
    restoreFloating();
}

void NoteHost::runCommand(MenuCommand command, std::int32_t id) {
    switch (command) {
        case kQuit:
            ui_.postQuit();
            break;
        case kCreateCyan:
            createNote(kCyan);
            break;
        case kCreateMagenta:
            createNote(kMagenta);
            break;
        case kCreateYellow:
            createNote(kYellow);
            break;
        case kEdit:
            editNote(id);
            break;
        case kRedText:
            if (const int slot = findNote(id); slot >= 0) {
                NoteSlot& note = table_.slots[slot];
                note.textRed = note.textRed == 0 ? 1 : 0;
                redrawNote(slot);
            }
            break;
        case kColorCyan:
        case kColorMagenta:
        case kColorYellow:
            if (const int slot = findNote(id); slot >= 0) {
                table_.slots[slot].color = static_cast<NoteColor>(command - kColorCyan);
                redrawNote(slot);
            }
            break;
        case kErase:
            eraseNote(id);
            break;
        case kAlwaysOnTop:
            table_.floating = table_.floating != 1 ? 1 : 0;
            settings_.saveFloating(table_);
            break;
        case kNoCommand:
            break;
    }
}

void NoteHost::createNote(NoteColor color) {
    const int slot = table_.firstFreeSlot();
    if (slot >= 0) {
        NoteSlot& note = table_.slots[slot];
        note.x = centred(table_.desktopRight, table_.defaultWidth);
        note.y = centred(table_.desktopBottom, table_.defaultHeight);
        note.width = table_.defaultWidth;
        note.color = color;
        note.fontName = table_.defaultFontName;
        note.fontSize = table_.defaultFontSize;
        note.text.clear();
        note.textRed = 0;
        note.priority = table_.takeNextPriority();
        drawNote(slot, note.priority);
    }
    if (library_) library_->redraw();
}

void NoteHost::editNote(std::int32_t id) {
    const int slot = findNote(id);
    if (slot < 0) return;
    if (ui_.runEditDialog(slot)) redrawNote(slot);
}

void NoteHost::eraseNote(std::int32_t id) {
    const int slot = findNote(id);
    if (slot < 0 || !ui_.runEraseDialog(slot)) return;
    NoteSlot& note = table_.slots[slot];
    if (library_) library_->remove(note.moteId);
    note.moteId = -1;
    settings_.eraseNoteSection(slot);
}

void NoteHost::redrawNote(int slot) {
    drawNote(slot, table_.slots[slot].priority);
}

void NoteHost::restoreFloating() {
    if (library_) library_->floating(table_.floating);
}

void NoteHost::onTimer(const std::function<DesktopExtent()>& readDesktop) {
    ++ticks_;
    if (ticks_ % kTicksPerDesktopCheck != 0) return;
    const DesktopExtent now = readDesktop();
    if (now.right == table_.desktopRight && now.bottom == table_.desktopBottom) return;
    setDesktopExtent(now);
    if (library_) library_->updateDesktopSize();
}

}  // namespace yorimemo
