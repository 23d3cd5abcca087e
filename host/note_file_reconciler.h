#pragma once
// Brings the live notes in line with the note file when it was read late, when something else
// changed it (another PC through a synced folder), when the program writes, and when a sync
// client left a copy of it beside it. What to show and write is decided by mergeNoteFile; this
// class applies it to the table, the cards and the file, and says what the user must know.

#include <array>
#include <set>
#include <string>
#include <vector>

#include "host/erased_notes.h"
#include "host/host_ui.h"
#include "mote/mote_library.h"
#include "notes/file_io.h"
#include "notes/note_merge.h"
#include "notes/note_table.h"
#include "notes/settings_file.h"

namespace yorimemo {

// What the reconciler needs of the host's cards.
class CardDesk {
public:
    virtual ~CardDesk() = default;
    virtual MoteLibrary* cardLibrary() = 0;
    // Builds or rebuilds the slot's card from the table, hidden while every card is; saves nothing.
    virtual void buildCard(int slot) = 0;
    // Brings the slot's card where its stored place is shown, within reach.
    virtual void placeCard(int slot) = 0;
    // False while a note is dragged or a menu or dialog is up: a read then waits.
    virtual bool mayReconcile() = 0;
    // The stored note shortcut setting changed: this PC takes or gives up the shortcut.
    virtual void hotKeyChanged() = 0;
};

class NoteFileReconciler {
public:
    NoteFileReconciler(NoteTable& table, SettingsFile& settings, FileSystem& files, HostUi& ui,
                       ErasedNotes& erased, std::vector<NoteSlot>& unplaced, CardDesk& cards);

    // The result of the start's read: a file that could not be read is tried again later.
    void started(bool read) { failedReads_ = read ? 0 : 1; }
    // Tries to read a file that could not be read; on success shows its notes and saves the
    // notes made meanwhile into its free slots. `tell` is false where nobody may be disturbed.
    // `keepSwitched`: the user switched Floating or HotKey before the file could be read.
    struct Switched {
        bool floating = false;
        bool hotKey = false;
    };
    bool readLate(bool tell, Switched keepSwitched);

    // The file may have changed: it is read now, or at the next tick while something is busy.
    void fileChanged();
    // Every second: a wanted read, a read to confirm, a vanished file.
    void onTick();
    // Writes what the table holds and the file as last read lacks, merged with the file as it is
    // now, and shows what arrived. False when the file cannot be read now (nothing was done).
    bool writeChanges();
    // Brings home the notes of sync clients' copies of the file in its folder.
    void mergeConflictCopies();

private:
    // Reads the file now and applies it; `confirmed`: a read that removes many notes is applied.
    void follow(bool confirmed);
    void writeBack();
    MergeResult merge(const NoteTable* fileNow) const;
    // Writes what the merge decided, then adopts its table and brings the cards in line.
    void settle(MergeResult& merge);
    void adopt(MergeResult& merge);
    void keepNotes(const std::vector<NoteSlot>& notes);
    bool mergeCopy(const std::string& path, int& added);

    NoteTable& table_;
    SettingsFile& settings_;
    FileSystem& files_;
    HostUi& ui_;
    ErasedNotes& erased_;
    std::vector<NoteSlot>& unplaced_;
    CardDesk& cards_;
    int failedReads_ = 0;
    bool followWanted_ = false;
    int confirmTicks_ = 0;              // a read to confirm is due when this counts down to 0
    int missingTicks_ = 0;              // how long the file has been missing
    std::set<std::string> copiesLeft_;  // copies that could not be merged, said once
    // Per slot, the ticks a note made here stays unconfirmed (MergeInput::unconfirmed); 0: none.
    std::array<int, kSlotCount> unconfirmedTicks_{};
};

}  // namespace yorimemo
