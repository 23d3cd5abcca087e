#pragma once
// The host's decisions, apart from the window system: loading and drawing the notes, the mouse
// events the library reports, the tray and note menus with their commands, the desktop watch.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/erased_notes.h"
#include "host/host_ui.h"
#include "host/menu_model.h"
#include "host/note_file_reconciler.h"
#include "mote/mote_library.h"
#include "notes/daily_backup.h"
#include "notes/note_table.h"
#include "notes/settings_file.h"

namespace yorimemo {

inline constexpr std::int32_t kLeftButtonUp = 514;   // WM_LBUTTONUP
inline constexpr std::int32_t kRightButtonUp = 517;  // WM_RBUTTONUP

struct DragState {
    std::int32_t active = 0;
    std::int32_t moteId = 0;
    std::int32_t lastX = 0;
    std::int32_t lastY = 0;
    // A drag from the card's right edge: it sets the width, from the pointer's x at the press
    // and the width then.
    bool resizing = false;
    std::int32_t startX = 0;
    std::int32_t startWidth = 0;
};

struct DesktopExtent {
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

class NoteHost : private CardDesk {
public:
    NoteHost(std::string iniPath, HostUi& ui);
    // Works through `files` instead of the platform's files (tests make single steps fail).
    NoteHost(std::string iniPath, HostUi& ui, FileSystem& files);

    NoteTable& table() { return table_; }
    const NoteTable& table() const { return table_; }
    SettingsFile& settings() { return settings_; }
    MoteLibrary* library() { return library_.get(); }
    const DragState& drag() const { return drag_; }
    std::int32_t noteMenuFlag() const { return noteMenuFlag_; }

    void setDesktopExtent(DesktopExtent extent);
    // A file that cannot be read yet is tried again by the timer (see onTimer).
    void loadSettings();
    // Takes the binding, hands it the floating flag and the window, then draws every stored note;
    // their sections reach the file in one write. `beforeShow` runs once they are drawn and just
    // before they reach the screen: what must be up before the cards waits there.
    void openMoteLibrary(std::unique_ptr<MoteLibrary> library, LibraryHandle window,
                         const std::function<void()>& beforeShow = {});
    // Releases every note's bitmap, then the binding; harmless when there is none.
    void closeMoteLibrary();
    void drawNote(int slot, std::int32_t priority);

    // An event message from the library; ignored when no binding exists.
    void onEventMessage(std::string_view payload);
    void onTrayNotify(std::int32_t id, std::int32_t mouseMessage);
    // The note shortcut was pressed: a yellow note in the middle of the monitor under the
    // pointer, its edit dialog open at once.
    void onHotKey();
    bool hotKeyHeld() const { return hotKeyHeld_; }
    // Every second: the desktop's edges are compared, an unread file is tried again, changes that
    // did not reach the file are tried every two seconds, a changed file is read.
    void onTimer(const std::function<DesktopExtent()>& readDesktop);
    // The displays changed (resolution, a monitor added or removed, the work area): the library
    // is told when the desktop's edges moved, and every card is brought where it can be reached.
    void onDisplayChange(DesktopExtent desktop);
    // Something in the program's folder changed: the note file is read at the next tick (at once
    // when nothing is busy), and copies that sync clients left beside it come home.
    void onFolderChange();
    // The session ends: one silent try to save what is held; nothing is asked.
    void onEndSession();

    // Changes the file does not hold yet (held edits, notes made before it could be read).
    bool hasUnsavedChanges() const;

    // True while a menu or dialog opened by the host is up.
    bool busy() const { return modalDepth_ > 0; }

private:
    class ModalScope;
    class HiddenDrawScope;

    int findNote(std::int32_t id) const;

    MoteLibrary* cardLibrary() override { return library_.get(); }
    void buildCard(int slot) override;
    void placeCard(int slot) override;
    bool mayReconcile() override { return drag_.active == 0 && !busy(); }
    void hotKeyChanged() override { applyHotKey(); }
    // Takes the shortcut when the table wants it and gives it up when not; a refusal is said.
    void applyHotKey();
    // Writes what changed in the table, merged with the file as it is now; before the file could
    // be read (or while it is held), `direct` writes it the way it always was.
    template <typename Direct>
    void save(Direct direct);

    void onButtonDown(std::int32_t id, std::int32_t x, std::int32_t y, bool onEdge);
    void resizeTo(std::int32_t x);
    void onMouseMove(std::int32_t x, std::int32_t y);
    void onButtonUp();
    void onRightButtonUp(std::int32_t id);
    void onDoubleClick(std::int32_t id);
    // The card's window reached a monitor of another scale.
    void onDpiChanged(std::int32_t id, std::int32_t dpi);
    void redrawAtDpi(int slot, std::int32_t dpi);

    void showMenu(std::int32_t id);
    void runCommand(MenuCommand command, std::int32_t id);
    // In the middle of `screen` (the whole desktop when none); the slot, or -1 when none is free.
    int createNote(NoteColor color, const WorkArea* screen = nullptr);
    // A note chosen in the tray's list: shown, in front, within reach, in its edit dialog.
    void openListedNote(int slot);
    void editNote(std::int32_t id);
    void eraseNote(std::int32_t id);
    void undoErase();
    // Hides or shows every card; nothing when they already are.
    void setNotesHidden(bool hidden);
    TrayMarks trayMarks();
    void redrawNote(int slot);
    void restoreFloating();
    void quit();
    void retryNotesWithoutCard();
    bool readLateFile(bool tell);
    void placeUnplacedNote(int freeSlot);
    void fitCardsOnScreen();
    // Today's backup of the file, when this run has not made or seen it; never throws.
    void backUpToday() noexcept;

    NoteTable table_;
    SettingsFile settings_;
    HostUi& ui_;
    std::unique_ptr<MoteLibrary> library_;
    DragState drag_;
    std::int32_t dpiAfterDrag_ = 0;  // the dragged card's new scale, drawn at the release
    std::int32_t noteMenuFlag_ = 0;
    int modalDepth_ = 0;
    std::uint32_t ticks_ = 0;
    bool floatingSwitchedUnread_ = false;
    bool hotKeySwitchedUnread_ = false;
    bool hotKeyHeld_ = false;  // this program holds the note shortcut
    // Notes made before the file was read for which it had no free slot; shown, not saved.
    std::vector<NoteSlot> unplaced_;
    ErasedNotes erased_;
    bool notesHidden_ = false;  // for this run only
    NoteFileReconciler reconciler_;
    FileSystem& files_;
    // Made at the first backup, which asks for the computer's name.
    std::optional<DailyBackup> backup_;
    bool backupFailureTold_ = false;  // once per run
};

}  // namespace yorimemo
