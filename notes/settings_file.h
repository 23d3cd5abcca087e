#pragma once
// The INI file beside the program: read once at start into the note table, and written back at the
// moment of each change. Every operation that writes is one atomic replacement of the file.
// A write that fails is kept and tried again, in order, until it lands; a file that exists but
// cannot be read is never written, so no note the program has not read is ever replaced.

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "notes/erased_sections.h"
#include "notes/file_io.h"
#include "notes/local_time.h"
#include "notes/note_merge.h"
#include "notes/note_table.h"

namespace yorimemo {

class SettingsFile {
public:
    explicit SettingsFile(std::string iniPath);
    // Works through `files` instead of the platform's files (tests make single steps fail).
    SettingsFile(std::string iniPath, FileSystem& files);

    // Whether the saved state on the disc matches the table; reported when it changes.
    enum class SaveHealth { kSaved, kFailing };

    // Fills the table from the file: "System", then Husen1..Husen100, then compacts priorities,
    // and sets the table's encoding from the file's mark. A missing file is an empty Shift-JIS
    // one. Returns false, leaving the table's notes and encoding alone, when the file exists but
    // cannot be read (held by another program): until a later load succeeds, no note section is
    // written and other edits wait.
    bool load(NoteTable& table);
    bool hasBeenRead() const { return !unreadable_; }

    // The file as this program last read or wrote it, ids and priorities as stored: the ancestor
    // of the next merge (mergeNoteFile).
    const NoteTable& lastRead() const { return lastRead_; }
    // The file as it is now, into `now`, leaving the table and the ancestor alone.
    ReadStatus readNow(NoteTable& now);
    // Writes what a merge decided (erased sections it drops included), in one write, and keeps its
    // ancestor: the file as the merge leaves it once the write landed, the file as the merge read
    // it while the write is held.
    void saveMerge(const MergeResult& merge);

    void saveNote(const NoteTable& table, int slot);      // all ten keys of the slot's section
    void savePriority(const NoteTable& table, int slot);  // Priority
    void savePosition(const NoteTable& table, int slot);  // PosX, then PosY
    void saveWidth(const NoteTable& table, int slot);     // Width
    // Moves the slot's section whole into an erased note's section of its own, in one write.
    // `shown` stands for it in erasedNotes() until the write lands when the file as last read
    // does not hold it yet.
    void eraseNoteSection(int slot, const NoteSlot& shown = NoteSlot{});
    // Removes an erased note's section: the note was brought back.
    void dropErased(const std::string& section);
    // The erased notes the file holds as last read or written, with the held edits applied:
    // newest first, only those a write keeps.
    std::vector<ErasedNote> erasedNotes() const;
    // The local time, for erased notes' stamps and their expiry; the system's by default.
    void setClock(std::function<LocalTime()> clock) { clock_ = std::move(clock); }
    void saveFloating(const NoteTable& table);  // System/Floating
    void saveHotKey(const NoteTable& table);    // System/HotKey

    // Edits that have not reached the file yet, held in the order they were made.
    bool hasPendingEdits() const { return !pending_.empty(); }
    // Tries the held edits again (outside a batch); true when none remain.
    bool retryPendingEdits();
    void onHealthChange(std::function<void(SaveHealth)> listener) {
        healthListener_ = std::move(listener);
    }
    // Runs before each write of the file (the daily backup); whatever it does, the write follows.
    void beforeWrite(std::function<void()> hook) { beforeWrite_ = std::move(hook); }

    // While a batch is open the writes gather in memory and reach the file in one write when
    // the outermost batch closes, so the start-up redraw of every note costs one write.
    class Batch {
    public:
        explicit Batch(SettingsFile& file);
        ~Batch();  // never throws: a failed write stays held
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        SettingsFile& file_;
    };

    const std::string& path() const { return iniPath_; }
    TextEncoding encoding() const { return encoding_; }

private:
    // One key to write, or a whole section to remove.
    struct Edit {
        Edit(std::string section, std::string key, std::string value, bool removes = false)
            : section(std::move(section)),
              key(std::move(key)),
              value(std::move(value)),
              removesSection(removes) {}

        std::string section;
        std::string key;
        std::string value;
        bool removesSection = false;
        // Non-empty: the note section `section` moves into this erased section, `value` being
        // its ErasedOn; `erased` stands for it until the write lands.
        std::string erasedAs;
        ErasedNote erased;
    };

    void saveKeys(const NoteTable& table, int slot, unsigned aspects);
    void saveSystemKeys(const NoteTable& table);
    void submit(Edit edit);
    void flush() noexcept;
    bool writePending();
    void setHealth(SaveHealth health);

    std::string iniPath_;
    FileSystem* files_;
    int batchDepth_ = 0;
    bool unreadable_ = false;  // the last load found the file but could not read it
    // The encoding of the values the program writes: the one of the file it read. A file that
    // went missing since is made again in it, so that the values read back the same.
    TextEncoding encoding_ = TextEncoding::kShiftJis;
    NoteTable lastRead_;
    std::vector<ErasedNote> fileErased_;  // the erased notes of the file as last read or written
    std::function<LocalTime()> clock_;
    unsigned stampCounter_;  // mixed into each stamp: two erases in one millisecond differ
    std::vector<Edit> pending_;
    SaveHealth health_ = SaveHealth::kSaved;
    std::function<void(SaveHealth)> healthListener_;
    std::function<void()> beforeWrite_;
};

// Writes `notes` into a note file of their own at `path` (Husen1, Husen2, ...), all ten keys each,
// in `encoding` when the file is new. False when it could not be written.
bool writeNotesFile(FileSystem& files, const std::string& path, const std::vector<NoteSlot>& notes,
                    TextEncoding encoding);

}  // namespace yorimemo
