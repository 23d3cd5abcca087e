#include "host/note_host.h"

#include <algorithm>
#include <utility>

#include "host/draw_batch.h"
#include "host/event_message.h"
#include "host/width_drag.h"
#include "mote/card_placement.h"
#include "mote/display_scale.h"
#include "mote/note_renderer.h"
#include "notes/decimal.h"
#include "notes/file_io.h"

namespace yorimemo {

namespace {

constexpr std::uint32_t kTicksPerSaveRetry = 2;  // the timer ticks once a second

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

// While every card is hidden, a card rebuilt meanwhile is hidden before it can show: its
// rebuild and the hiding reach the screen together, under one draw lock.
class NoteHost::HiddenDrawScope {
public:
    HiddenDrawScope(NoteHost& host, int slot)
        : host_(host), slot_(slot), active_(host.notesHidden_ && host.library_) {
        if (active_) host_.library_->lockDraw();
    }
    ~HiddenDrawScope() {
        if (!active_) return;
        const NoteSlot& note = host_.table_.slots[slot_];
        if (note.hasCard) host_.library_->hide(note.moteId);
        host_.library_->unlockDraw();
    }
    HiddenDrawScope(const HiddenDrawScope&) = delete;
    HiddenDrawScope& operator=(const HiddenDrawScope&) = delete;

private:
    NoteHost& host_;
    int slot_;
    bool active_;
};

NoteHost::NoteHost(std::string iniPath, HostUi& ui)
    : NoteHost(std::move(iniPath), ui, platformFileSystem()) {}

NoteHost::NoteHost(std::string iniPath, HostUi& ui, FileSystem& files)
    : settings_(std::move(iniPath), files),
      ui_(ui),
      erased_(settings_),
      reconciler_(table_, settings_, files, ui, erased_, unplaced_, *this),
      files_(files) {
    settings_.setClock([this] { return ui_.localTime(); });
    settings_.beforeWrite([this] { backUpToday(); });
    settings_.onHealthChange([this](SettingsFile::SaveHealth health) {
        ui_.showNotice(health == SettingsFile::SaveHealth::kFailing ? Notice::kCannotSave
                                                                    : Notice::kSavedAgain);
    });
}

void NoteHost::setDesktopExtent(DesktopExtent extent) {
    table_.desktopRight = extent.right;
    table_.desktopBottom = extent.bottom;
}

void NoteHost::loadSettings() {
    const bool read = settings_.load(table_);
    if (read) backUpToday();
    reconciler_.started(read);
    applyHotKey();
}

void NoteHost::applyHotKey() {
    const bool wanted = table_.hotKey == 1;
    if (wanted == hotKeyHeld_) return;
    hotKeyHeld_ = ui_.holdHotKey(wanted) && wanted;
    // The stored setting stays: another PC sharing the file may hold the shortcut fine.
    if (wanted && !hotKeyHeld_) ui_.showNotice(Notice::kHotKeyTaken);
}

void NoteHost::onHotKey() {
    if (!hotKeyHeld_ || busy()) return;
    const WorkArea screen = ui_.workAreaAtPointer();
    const int slot = createNote(kYellow, &screen);
    if (slot < 0 || !table_.slots[slot].inUse()) return;
    ModalScope modal(*this);
    if (library_) library_->floating(0);
    if (ui_.runEditDialog(slot)) redrawNote(slot);
    restoreFloating();
}

void NoteHost::backUpToday() noexcept {
    try {
        if (!backup_)
            backup_.emplace(files_, settings_.path(), computerNameForFiles(ui_.computerName()));
        if (backup_->ensure(ui_.localTime()) != DailyBackup::Outcome::kFailed) return;
        if (backupFailureTold_) return;
        backupFailureTold_ = true;
        ui_.showNotice(Notice::kBackupFailed, {0, backup_->folder()});
    } catch (...) {
        // Out of memory, say: the backup waits for the next write; the write goes on.
    }
}

void NoteHost::openMoteLibrary(std::unique_ptr<MoteLibrary> library, LibraryHandle window,
                               const std::function<void()>& beforeShow) {
    library_ = std::move(library);
    library_->floating(table_.floating);
    library_->attach(window);
    drag_.active = 0;
    noteMenuFlag_ = 0;
    table_.workAreas = ui_.workAreas();
    table_.systemDpi = ui_.systemDpi();
    SettingsFile::Batch oneWrite(settings_);
    const DrawBatch oneShow(library_.get());
    for (int slot = 0; slot < kSlotCount; ++slot) {
        NoteSlot& note = table_.slots[slot];
        note.bitmap = 0;
        // The stored id only says "in use"; the library hands out a fresh one.
        note.hasCard = false;
        if (!note.inUse()) continue;
        renderNote(*library_, table_, slot, note.priority, true);
        settings_.saveNote(table_, slot);
    }
    reconciler_.mergeConflictCopies();
    if (beforeShow) beforeShow();
}

void NoteHost::closeMoteLibrary() {
    if (!library_) return;
    for (NoteSlot& note : table_.slots) {
        if (note.bitmap != 0) library_->deleteBitmap(note.bitmap);
        note.bitmap = 0;
    }
    for (NoteSlot& note : unplaced_) {
        if (note.bitmap != 0) library_->deleteBitmap(note.bitmap);
        note.bitmap = 0;
    }
    library_.reset();
}

void NoteHost::drawNote(int slot, std::int32_t priority) {
    {
        const HiddenDrawScope keepHidden(*this, slot);
        if (library_) renderNote(*library_, table_, slot, priority, table_.slots[slot].inUse());
    }
    save([&] {
        settings_.saveNote(table_, slot);
        // A note brought back by an undo leaves its erased section in the same write.
        const std::string section = erased_.landed(slot);
        if (!section.empty()) settings_.dropErased(section);
    });
}

void NoteHost::buildCard(int slot) {
    const HiddenDrawScope keepHidden(*this, slot);
    if (library_) renderNote(*library_, table_, slot, table_.slots[slot].priority, true);
}

template <typename Direct>
void NoteHost::save(Direct direct) {
    if (settings_.hasBeenRead() && reconciler_.writeChanges()) return;
    direct();
}

int NoteHost::findNote(std::int32_t id) const {
    return table_.findCard(id);
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
        onButtonDown(id, x, y, false);
    } else if (name == "OnMoteEdgeLButtonDown") {
        onButtonDown(id, x, y, true);
    } else if (name == "OnMoteMouseMove") {
        onMouseMove(x, y);
    } else if (name == "OnMoteLButtonUp") {
        onButtonUp();
    } else if (name == "OnMoteRButtonUp") {
        onRightButtonUp(id);
    } else if (name == "OnMoteLButtonDoubleClick") {
        onDoubleClick(id);
    } else if (name == "OnMoteDpiChanged") {
        onDpiChanged(id, x);
    }
}

void NoteHost::onButtonDown(std::int32_t id, std::int32_t x, std::int32_t y, bool onEdge) {
    const int slot = findNote(id);
    std::int32_t startWidth = 0;
    if (slot >= 0) {
        NoteSlot& note = table_.slots[slot];
        startWidth = note.width;
        // From a press that moves the card on, the place it is shown at is the note's place; a
        // resize keeps the stored place, and so a card moved onto the screen goes on being moved.
        if (!onEdge) {
            note.x = unscaleFromDpi(note.shownX, table_.systemDpi);
            note.y = unscaleFromDpi(note.shownY, table_.systemDpi);
        }
        const std::int32_t priority = table_.takeNextPriority();
        table_.slots[slot].priority = priority;
        library_->setPriority(id, priority);
        save([&] { settings_.savePriority(table_, slot); });
        // What the write found in the file may have rebuilt the card: the drag goes on with it.
        const NoteSlot& pressed = table_.slots[slot];
        if (findNote(id) < 0 && pressed.hasCard) id = pressed.moteId;
    }
    drag_ = {1, id, x, y};
    drag_.resizing = onEdge && slot >= 0;
    drag_.startX = x;
    drag_.startWidth = startWidth;
    dpiAfterDrag_ = 0;
}

void NoteHost::resizeTo(std::int32_t x) {
    const int slot = findNote(drag_.moteId);
    if (slot < 0) return;
    NoteSlot& note = table_.slots[slot];
    const std::int64_t dx = std::int64_t{x} - drag_.startX;
    const std::int32_t width = draggedWidth(
        drag_.startWidth,
        static_cast<std::int32_t>(std::clamp<std::int64_t>(dx, -1000000, 1000000)), note.dpi);
    if (width == note.width) return;
    note.width = width;
    // The rebuilt card takes over the old one's window, and the library's drag goes on with it.
    {
        const HiddenDrawScope keepHidden(*this, slot);
        renderNote(*library_, table_, slot, note.priority, true, note.dpi);
    }
    if (note.hasCard) drag_.moteId = note.moteId;
}

void NoteHost::onMouseMove(std::int32_t x, std::int32_t y) {
    if (drag_.active != 1) return;
    if (x == drag_.lastX && y == drag_.lastY) return;
    if (drag_.resizing) {
        drag_.lastX = x;
        drag_.lastY = y;
        resizeTo(x);
        return;
    }
    const auto dx = static_cast<std::int32_t>(static_cast<std::int64_t>(x) - drag_.lastX);
    const auto dy = static_cast<std::int32_t>(static_cast<std::int64_t>(y) - drag_.lastY);
    library_->move(drag_.moteId, dx, dy);
    drag_.lastX = x;
    drag_.lastY = y;
    const int slot = findNote(drag_.moteId);
    if (slot < 0) return;
    NoteSlot& note = table_.slots[slot];
    note.shownX = library_->posX(drag_.moteId).value_or(0);
    note.shownY = library_->posY(drag_.moteId).value_or(0);
    note.x = unscaleFromDpi(note.shownX, table_.systemDpi);
    note.y = unscaleFromDpi(note.shownY, table_.systemDpi);
}

void NoteHost::onButtonUp() {
    if (drag_.active != 1) return;
    drag_.active = 0;
    const int slot = findNote(drag_.moteId);
    if (slot < 0) return;
    if (drag_.resizing) {
        drag_.resizing = false;
        save([&] { settings_.saveWidth(table_, slot); });
    } else {
        // The card stays on the pixel it was dropped on, which the stored place may not give back.
        NoteSlot& note = table_.slots[slot];
        note.droppedX = note.shownX;
        note.droppedY = note.shownY;
        note.droppedDpi = table_.systemDpi;
        save([&] { settings_.savePosition(table_, slot); });
    }
    if (dpiAfterDrag_ != 0) redrawAtDpi(slot, dpiAfterDrag_);
    dpiAfterDrag_ = 0;
}

void NoteHost::onDpiChanged(std::int32_t id, std::int32_t dpi) {
    const int slot = findNote(id);
    if (slot < 0 || usableDpi(dpi) != dpi) return;
    // Redrawn for the new scale under the pointer, the card would change size mid-drag: it waits
    // for the release.
    if (drag_.active == 1 && drag_.moteId == id) {
        dpiAfterDrag_ = dpi;
        return;
    }
    redrawAtDpi(slot, dpi);
}

void NoteHost::redrawAtDpi(int slot, std::int32_t dpi) {
    NoteSlot& note = table_.slots[slot];
    if (!note.hasCard || note.dpi == dpi) return;
    // Only the look changes: the file keeps what it holds.
    const HiddenDrawScope keepHidden(*this, slot);
    renderNote(*library_, table_, slot, note.priority, true, dpi);
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
        if (library_) {
            retryNotesWithoutCard();
            library_->redraw();
        }
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
    const MenuModel model =
        noteMenuFlag_ != 0 ? buildNoteMenu(table_, id) : buildTrayMenu(table_, trayMarks());
    noteMenuFlag_ = 0;
    std::unique_ptr<OpenMenu> menu = ui_.createMenu(model);
    const MenuCommand command = menu ? menu->track() : kNoCommand;
    runCommand(command, id);
    ui_.postNull();
    menu.reset();
    restoreFloating();
}

void NoteHost::runCommand(MenuCommand command, std::int32_t id) {
    if (command >= kListedNoteFirst && command <= kListedNoteLast) {
        openListedNote(command - kListedNoteFirst);
        return;
    }
    switch (command) {
        case kQuit:
            quit();
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
            if (!settings_.hasBeenRead()) floatingSwitchedUnread_ = true;
            save([&] { settings_.saveFloating(table_); });
            break;
        case kHideAll:
            setNotesHidden(!notesHidden_);
            break;
        case kUndoErase:
            undoErase();
            break;
        case kAutostart:
            ui_.setAutostart(!ui_.autostartEnabled());
            break;
        case kHotKey:
            // The mark shows whether this PC holds it: choosing it when taken tries again.
            table_.hotKey = hotKeyHeld_ ? 0 : 1;
            if (!settings_.hasBeenRead()) hotKeySwitchedUnread_ = true;
            save([&] { settings_.saveHotKey(table_); });
            applyHotKey();
            break;
        case kNoteList:
        case kListedNoteFirst:
        case kListedNoteLast:
        case kNoCommand:
            break;
    }
}

int NoteHost::createNote(NoteColor color, const WorkArea* screen) {
    setNotesHidden(false);
    // What the file holds now first: the new note takes a slot that is free in it.
    if (settings_.hasBeenRead()) reconciler_.writeChanges();
    const int slot = table_.firstFreeSlot();
    if (slot >= 0) {
        NoteSlot& note = table_.slots[slot];
        // In the middle of the screen as shown, kept at 100 % like every stored place.
        const std::int32_t dpi = table_.systemDpi;
        if (screen != nullptr) {
            // Drawn at that monitor's scale; the place is kept at the system's.
            const ScreenRect& area = screen->area;
            const std::int32_t shownDpi = usableDpi(screen->dpi);
            note.x = unscaleFromDpi(area.left + centred(area.right - area.left,
                                                        scaleToDpi(table_.defaultWidth, shownDpi)),
                                    dpi);
            note.y = unscaleFromDpi(area.top + centred(area.bottom - area.top,
                                                       scaleToDpi(table_.defaultHeight, shownDpi)),
                                    dpi);
        } else {
            note.x = unscaleFromDpi(
                centred(table_.desktopRight, scaleToDpi(table_.defaultWidth, dpi)), dpi);
            note.y = unscaleFromDpi(
                centred(table_.desktopBottom, scaleToDpi(table_.defaultHeight, dpi)), dpi);
        }
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
    return slot;
}

void NoteHost::openListedNote(int slot) {
    if (!table_.slots[slot].inUse()) return;
    setNotesHidden(false);
    NoteSlot& note = table_.slots[slot];
    if (library_ && note.hasCard) {
        note.priority = table_.takeNextPriority();
        library_->setPriority(note.moteId, note.priority);
        save([&] { settings_.savePriority(table_, slot); });
    }
    placeCard(slot);
    if (table_.slots[slot].inUse() && ui_.runEditDialog(slot)) redrawNote(slot);
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
    const NoteSlot erased = note;
    // A file not read yet gets no section of ours: the note is kept for this run.
    if (!settings_.hasBeenRead()) erased_.remember(slot, note, table_.encoding, ui_.localTime());
    if (library_ && note.hasCard) library_->remove(note.moteId);
    note.moteId = -1;
    note.hasCard = false;
    // Brought back and erased again before it was written: its erased section still holds it.
    erased_.landed(slot);
    save([&] { settings_.eraseNoteSection(slot, erased); });
    if (!unplaced_.empty() && settings_.hasBeenRead()) placeUnplacedNote(slot);
}

void NoteHost::undoErase() {
    // What the file holds now first: its erased notes, and a slot that is free in it.
    if (settings_.hasBeenRead()) reconciler_.writeChanges();
    const ErasedNotes::BroughtBack back = erased_.bringBack(
        table_, [this](std::string_view bytes, TextEncoding from, TextEncoding to) {
            return ui_.recodeText(bytes, from, to);
        });
    if (back.slot < 0) return;
    setNotesHidden(false);
    // The note's section and the removal of its erased copy reach the file in one write, also
    // when a read has to confirm the write first (the merge that lands the note drops it).
    const SettingsFile::Batch oneWrite(settings_);
    drawNote(back.slot, table_.slots[back.slot].priority);
}

void NoteHost::setNotesHidden(bool hidden) {
    if (hidden == notesHidden_) return;
    notesHidden_ = hidden;
    if (!library_) return;
    // One draw lock: the cards change on screen together.
    library_->lockDraw();
    auto apply = [this, hidden](const NoteSlot& note) {
        if (!note.hasCard) return;
        if (hidden) {
            library_->hide(note.moteId);
        } else {
            library_->show(note.moteId);
        }
    };
    for (const NoteSlot& note : table_.slots) apply(note);
    for (const NoteSlot& note : unplaced_) apply(note);
    library_->unlockDraw();
}

TrayMarks NoteHost::trayMarks() {
    TrayMarks marks;
    marks.notesHidden = notesHidden_;
    marks.canUndoErase = erased_.returnSlot(table_) >= 0;
    marks.autostart = ui_.autostartEnabled();
    marks.hotKey = hotKeyHeld_;
    if (table_.encoding != TextEncoding::kUtf8) {
        marks.utf8Text = [this](std::string_view text) {
            return ui_.recodeText(text, table_.encoding, TextEncoding::kUtf8);
        };
    }
    return marks;
}

void NoteHost::placeUnplacedNote(int freeSlot) {
    NoteSlot& note = table_.slots[freeSlot];
    const LibraryHandle oldBitmap = note.bitmap;
    note = std::move(unplaced_.front());
    unplaced_.erase(unplaced_.begin());
    // The erased note's bitmap is still the library's; the new tenant brings its own.
    if (oldBitmap != 0 && library_) library_->deleteBitmap(oldBitmap);
    note.priority = table_.takeNextPriority();
    if (library_ && note.hasCard) library_->setPriority(note.moteId, note.priority);
    save([&] { settings_.saveNote(table_, freeSlot); });
}

void NoteHost::quit() {
    if (hasUnsavedChanges()) {
        // One last try; if the file still refuses, only the user can decide to lose the changes.
        if (!settings_.hasBeenRead()) readLateFile(true);
        settings_.retryPendingEdits();
        if (hasUnsavedChanges() && !ui_.confirmQuitUnsaved()) return;
    }
    ui_.postQuit();
}

bool NoteHost::hasUnsavedChanges() const {
    if (settings_.hasPendingEdits() || !unplaced_.empty()) return true;
    if (settings_.hasBeenRead()) return false;
    if (floatingSwitchedUnread_ || hotKeySwitchedUnread_) return true;
    for (const NoteSlot& note : table_.slots) {
        if (note.inUse()) return true;
    }
    return false;
}

void NoteHost::retryNotesWithoutCard() {
    SettingsFile::Batch oneWrite(settings_);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const NoteSlot& note = table_.slots[slot];
        if (note.inUse() && !note.hasCard) drawNote(slot, note.priority);
    }
}

bool NoteHost::readLateFile(bool tell) {
    if (!reconciler_.readLate(tell, {floatingSwitchedUnread_, hotKeySwitchedUnread_})) {
        return false;
    }
    floatingSwitchedUnread_ = false;
    hotKeySwitchedUnread_ = false;
    return true;
}

void NoteHost::redrawNote(int slot) {
    drawNote(slot, table_.slots[slot].priority);
}

void NoteHost::restoreFloating() {
    if (library_) library_->floating(table_.floating);
}

void NoteHost::onTimer(const std::function<DesktopExtent()>& readDesktop) {
    ++ticks_;
    // Not while a dialog holds a slot: reading the file late moves notes between slots.
    if (!settings_.hasBeenRead() && !busy()) {
        readLateFile(true);
    } else if (settings_.hasPendingEdits() && ticks_ % kTicksPerSaveRetry == 0) {
        settings_.retryPendingEdits();
    }
    reconciler_.onTick();
    const DesktopExtent now = readDesktop();
    if (now.right == table_.desktopRight && now.bottom == table_.desktopBottom) return;
    onDisplayChange(now);
}

void NoteHost::onDisplayChange(DesktopExtent desktop) {
    if (desktop.right != table_.desktopRight || desktop.bottom != table_.desktopBottom) {
        setDesktopExtent(desktop);
        if (library_) library_->updateDesktopSize();
    }
    table_.workAreas = ui_.workAreas();
    fitCardsOnScreen();
}

void NoteHost::fitCardsOnScreen() {
    for (int slot = 0; slot < kSlotCount; ++slot) placeCard(slot);
}

void NoteHost::placeCard(int slot) {
    NoteSlot& note = table_.slots[slot];
    if (!library_ || !note.hasCard) return;
    // From the stored place, so a monitor plugged back shows the note where it was.
    const CardOrigin fit =
        fitOnScreen(shownPlace(note.x, note.droppedX, note.droppedDpi, table_.systemDpi),
                    shownPlace(note.y, note.droppedY, note.droppedDpi, table_.systemDpi),
                    note.cardWidth, note.cardHeight, table_.workAreas);
    if (fit == CardOrigin{note.shownX, note.shownY}) return;
    library_->move(note.moteId, fit.x - note.shownX, fit.y - note.shownY);
    note.shownX = fit.x;
    note.shownY = fit.y;
}

void NoteHost::onFolderChange() {
    reconciler_.fileChanged();
    if (mayReconcile()) reconciler_.mergeConflictCopies();
}

void NoteHost::onEndSession() {
    if (!settings_.hasBeenRead() && !busy()) readLateFile(false);
    settings_.retryPendingEdits();
}

}  // namespace yorimemo
