#include "host/note_file_reconciler.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "host/draw_batch.h"
#include "notes/conflict_copies.h"
#include "notes/late_notes.h"
#include "notes/note_file_reader.h"
#include "notes/path_parts.h"
#include "notes/profile_document.h"

namespace yorimemo {

namespace {

// A file held for a moment (a virus scan, a backup) is not worth a word.
constexpr int kFailedReadsBeforeNotice = 3;
// A read that removes more than half the notes is read again this many ticks later: a sync
// client may be half-way through replacing the file.
constexpr int kTicksBeforeConfirmation = 2;
// A sync client deletes and re-creates the file; only a file missing this long is written back.
constexpr int kTicksBeforeWriteBack = 3;

// A note made here is taken as seen back after this long even if no read showed it: by then the
// sync has carried it, and a note in its slot is an edit of it.
constexpr int kTicksUnconfirmed = 5 * 60;

constexpr char kMergedSuffix[] = ".merged";

bool anyInUse(const NoteTable& table) {
    return std::any_of(table.slots.begin(), table.slots.end(),
                       [](const NoteSlot& note) { return note.inUse(); });
}

}  // namespace

NoteFileReconciler::NoteFileReconciler(NoteTable& table, SettingsFile& settings, FileSystem& files,
                                       HostUi& ui, ErasedNotes& erased,
                                       std::vector<NoteSlot>& unplaced, CardDesk& cards)
    : table_(table),
      settings_(settings),
      files_(files),
      ui_(ui),
      erased_(erased),
      unplaced_(unplaced),
      cards_(cards) {}

bool NoteFileReconciler::readLate(bool tell, Switched keepSwitched) {
    NoteTable read;
    if (!settings_.load(read)) {
        ++failedReads_;
        if (tell && failedReads_ == kFailedReadsBeforeNotice) ui_.showNotice(Notice::kCannotRead);
        return false;
    }
    const bool told = failedReads_ >= kFailedReadsBeforeNotice;
    failedReads_ = 0;
    read.desktopRight = table_.desktopRight;
    read.desktopBottom = table_.desktopBottom;
    read.workAreas = table_.workAreas;
    read.systemDpi = table_.systemDpi;
    if (keepSwitched.floating) read.floating = table_.floating;
    if (keepSwitched.hotKey) read.hotKey = table_.hotKey;
    const bool hotKeyChanged = read.hotKey != table_.hotKey;

    // Notes made before the file was read hold their texts in the encoding the program assumed.
    if (read.encoding != table_.encoding) {
        for (NoteSlot& note : table_.slots) {
            if (!note.inUse()) continue;
            note.text = ui_.recodeText(note.text, table_.encoding, read.encoding);
            note.fontName = ui_.recodeText(note.fontName, table_.encoding, read.encoding);
        }
    }
    LateNotes late = placeLateNotes(read, table_);
    MoteLibrary* library = cards_.cardLibrary();
    // The bitmaps of free slots were handed out by the library too; they go with the old table.
    if (library) {
        for (const NoteSlot& note : table_.slots) {
            if (!note.inUse() && note.bitmap != 0) library->deleteBitmap(note.bitmap);
        }
    }
    std::vector<bool> placed(kSlotCount, false);
    for (const int slot : late.placed) placed[static_cast<std::size_t>(slot)] = true;
    table_ = std::move(read);
    for (NoteSlot& note : late.unplaced) unplaced_.push_back(std::move(note));

    SettingsFile::Batch oneWrite(settings_);
    {
        const DrawBatch oneShow(library);
        for (int slot = 0; slot < kSlotCount; ++slot) {
            NoteSlot& note = table_.slots[slot];
            if (placed[static_cast<std::size_t>(slot)]) {
                if (library && note.hasCard) library->setPriority(note.moteId, note.priority);
            } else if (note.inUse()) {
                note.bitmap = 0;
                note.hasCard = false;
                cards_.buildCard(slot);
            } else {
                continue;
            }
            settings_.saveNote(table_, slot);
        }
    }
    if (library) library->floating(cards_.mayReconcile() ? table_.floating : 0);
    if (hotKeyChanged) cards_.hotKeyChanged();
    if (tell && told) ui_.showNotice(Notice::kReadAgain);
    if (tell && !late.unplaced.empty()) ui_.showNotice(Notice::kNoFreeSlot);
    return true;
}

void NoteFileReconciler::onTick() {
    for (int& ticks : unconfirmedTicks_) ticks = std::max(ticks - 1, 0);
    if (!settings_.hasBeenRead() || !cards_.mayReconcile()) return;
    if (confirmTicks_ > 0) {
        if (--confirmTicks_ == 0) follow(true);
        return;
    }
    if (followWanted_ || missingTicks_ > 0) follow(false);
}

void NoteFileReconciler::fileChanged() {
    followWanted_ = true;
    if (settings_.hasBeenRead() && cards_.mayReconcile() && confirmTicks_ == 0) follow(false);
}

void NoteFileReconciler::follow(bool confirmed) {
    followWanted_ = false;
    NoteTable now;
    switch (settings_.readNow(now)) {
        case ReadStatus::kFailed:
            followWanted_ = true;  // held: tried again at the next tick
            return;
        case ReadStatus::kMissing:
            if (++missingTicks_ >= kTicksBeforeWriteBack && anyInUse(table_)) writeBack();
            return;
        case ReadStatus::kRead:
            missingTicks_ = 0;
            break;
    }
    MergeResult result = merge(&now);
    if (result.needsConfirmation && !confirmed) {
        confirmTicks_ = kTicksBeforeConfirmation;
        return;
    }
    settle(result);
}

bool NoteFileReconciler::writeChanges() {
    NoteTable now;
    switch (settings_.readNow(now)) {
        case ReadStatus::kFailed:
            return false;
        case ReadStatus::kMissing:
            writeBack();
            return true;
        case ReadStatus::kRead:
            missingTicks_ = 0;
            break;
    }
    MergeResult result = merge(&now);
    if (result.needsConfirmation) {
        // The change stays in the table; the confirming read writes it with what it finds.
        if (confirmTicks_ == 0) confirmTicks_ = kTicksBeforeConfirmation;
        return true;
    }
    settle(result);
    return true;
}

void NoteFileReconciler::writeBack() {
    missingTicks_ = 0;
    MergeResult result = merge(nullptr);
    settle(result);
    ui_.showNotice(Notice::kWrittenBack);
}

MergeResult NoteFileReconciler::merge(const NoteTable* fileNow) const {
    std::optional<NoteTable> recoded;
    if (fileNow != nullptr && fileNow->encoding != table_.encoding) {
        // Another program saved the file in another encoding: its texts are compared in ours.
        recoded = *fileNow;
        for (NoteSlot& note : recoded->slots) {
            note.text = ui_.recodeText(note.text, fileNow->encoding, table_.encoding);
            note.fontName = ui_.recodeText(note.fontName, fileNow->encoding, table_.encoding);
        }
        recoded->encoding = table_.encoding;
        fileNow = &*recoded;
    }
    MergeInput input;
    input.lastRead = &settings_.lastRead();
    input.shown = &table_;
    input.fileNow = fileNow;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        input.unconfirmed.set(static_cast<std::size_t>(slot), unconfirmedTicks_[slot] > 0);
    }
    input.erased = erased_.forMerge(
        table_.encoding, [this](std::string_view text, TextEncoding from, TextEncoding to) {
            return ui_.recodeText(text, from, to);
        });
    return mergeNoteFile(input);
}

void NoteFileReconciler::settle(MergeResult& merge) {
    settings_.saveMerge(merge);
    // Notes brought back by an undo were written with the removal of their sections.
    erased_.unlinkAll();
    for (int slot = 0; slot < kSlotCount; ++slot) {
        int& ticks = unconfirmedTicks_[slot];
        if (!merge.unconfirmed.test(static_cast<std::size_t>(slot))) {
            ticks = 0;
        } else if (ticks == 0) {
            ticks = kTicksUnconfirmed;
        }
    }
    if (!merge.keptNotes.empty()) keepNotes(merge.keptNotes);
    adopt(merge);
}

void NoteFileReconciler::adopt(MergeResult& merge) {
    MoteLibrary* library = cards_.cardLibrary();
    const NoteTable live = table_;
    if (library) {
        // A bitmap that no note of the merged table carries went with a note that was replaced.
        std::set<LibraryHandle> carried;
        for (const NoteSlot& note : merge.table.slots) carried.insert(note.bitmap);
        for (const NoteSlot& note : merge.unplaced) carried.insert(note.bitmap);
        for (const NoteSlot& note : live.slots) {
            if (note.bitmap != 0 && carried.count(note.bitmap) == 0) {
                library->deleteBitmap(note.bitmap);
            }
        }
    }
    table_ = std::move(merge.table);
    for (NoteSlot& note : merge.unplaced) unplaced_.push_back(std::move(note));

    // The cards change on screen together, once, when the outer draw lock is released.
    const bool cardsChange =
        library &&
        std::any_of(merge.changes.begin(), merge.changes.end(), [](const SlotChange& change) {
            return change.kind != SlotChange::kUnchanged || change.aspects != 0;
        });
    {
        // Not the user's act: no card comes up over the window the user works in.
        const DrawBatch oneShow(cardsChange ? library : nullptr, true);
        for (int slot = 0; slot < kSlotCount; ++slot) {
            const SlotChange& change = merge.changes[static_cast<std::size_t>(slot)];
            NoteSlot& note = table_.slots[slot];
            const NoteSlot& was = live.slots[slot];
            switch (change.kind) {
                case SlotChange::kAppear:
                    cards_.buildCard(slot);
                    break;
                case SlotChange::kDisappear:
                    // Erased elsewhere: it can be brought back here like a note erased here.
                    erased_.vanished(slot, was, table_.encoding, ui_.localTime());
                    if (library && was.hasCard) library->remove(was.moteId);
                    note.hasCard = false;
                    break;
                case SlotChange::kUpdate:
                    if ((change.aspects & kAspectsOfLook) != 0 || !note.hasCard) {
                        cards_.buildCard(slot);
                        break;
                    }
                    if ((change.aspects & kAspectPosition) != 0) cards_.placeCard(slot);
                    if ((change.aspects & kAspectStacking) != 0 && library) {
                        library->setPriority(note.moteId, note.priority);
                    }
                    break;
                case SlotChange::kUnchanged:
                    if ((change.aspects & kAspectPriority) != 0 && library && note.hasCard) {
                        library->setPriority(note.moteId, note.priority);
                    }
                    break;
            }
        }
    }
    if (merge.floatingChanged && library && cards_.mayReconcile()) {
        library->floating(table_.floating);
    }
    if (merge.hotKeyChanged) cards_.hotKeyChanged();
}

void NoteFileReconciler::keepNotes(const std::vector<NoteSlot>& notes) {
    const std::string path = keptNoteFileName(settings_.path(), ui_.localTime());
    if (writeNotesFile(files_, path, notes, settings_.encoding())) {
        ui_.showNotice(Notice::kNoteKept, {0, path});
    }
}

void NoteFileReconciler::mergeConflictCopies() {
    if (!settings_.hasBeenRead()) return;
    const std::string& notePath = settings_.path();
    const std::size_t nameStart = fileNameStart(notePath);
    const std::string folder = notePath.substr(0, nameStart);
    const std::string noteName = notePath.substr(nameStart);
    std::vector<std::string> copies;
    for (std::string& name : files_.fileNames(folder.empty() ? "." : folder)) {
        if (isConflictCopyName(noteName, name)) copies.push_back(folder + name);
    }
    if (copies.empty()) return;
    std::sort(copies.begin(), copies.end());
    // What the file holds now first, so the copies' notes take slots that are free in it.
    if (!writeChanges()) return;
    int added = 0;
    for (const std::string& copy : copies) {
        if (mergeCopy(copy, added)) continue;
        if (copiesLeft_.insert(copy).second) ui_.showNotice(Notice::kCopyLeft, {0, copy});
    }
    if (added > 0) ui_.showNotice(Notice::kCopiesMerged, {added, {}});
}

bool NoteFileReconciler::mergeCopy(const std::string& path, int& added) {
    std::string bytes;
    if (files_.readAll(path, bytes) != ReadStatus::kRead) return false;
    const NoteTable copy = readNoteFile(ProfileDocument::parse(bytes));
    const TextEncoding to = table_.encoding;
    const RecodeText recode = [this, &copy,
                               to](std::string_view text) -> std::optional<std::string> {
        // Storable when it comes back unchanged.
        std::string recoded = ui_.recodeText(text, copy.encoding, to);
        if (ui_.recodeText(recoded, to, copy.encoding) != text) return std::nullopt;
        return recoded;
    };
    std::vector<std::string> erasedTexts;
    for (const ErasedNote& erased : settings_.erasedNotes()) {
        erasedTexts.push_back(erased.encoding == to
                                  ? erased.note.text
                                  : ui_.recodeText(erased.note.text, erased.encoding, to));
    }
    const CopyMerge result = mergeConflictCopy(table_, copy, recode, erasedTexts);
    if (result.outcome != CopyMerge::kMerged) return false;
    {
        const DrawBatch oneShow(result.added.empty() ? nullptr : cards_.cardLibrary(), true);
        for (const int slot : result.added) cards_.buildCard(slot);
    }
    if (!result.added.empty() && !writeChanges()) {
        // The notes are shown; they reach the file with the next write. The copy stays until then.
        return true;
    }
    added += static_cast<int>(result.added.size());
    files_.renameOver(path, path + kMergedSuffix);
    return true;
}

}  // namespace yorimemo
