#pragma once
// A note table with 100 notes in use, as the benchmarks load and save it.

#include <filesystem>
#include <string>
#include <system_error>

#include "notes/note_table.h"
#include "notes/settings_file.h"

namespace yorimemo::bench {

inline NoteTable hundredNotes() {
    NoteTable table;
    for (int i = 0; i < kSlotCount; ++i) {
        NoteSlot& note = table.slots[static_cast<std::size_t>(i)];
        note.moteId = i;
        note.priority = (i * 37) % kSlotCount;
        note.x = 10 * i;
        note.y = 5 * i;
        note.width = 300;
        note.color = static_cast<NoteColor>(i % 3);
        note.fontName = "\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E";
        note.fontSize = 9;
        note.text = "Note " + std::to_string(i + 1) + "\r\nsecond line\r\nthird line";
        note.textRed = i % 2;
    }
    return table;
}

// What the start-up redraw does before saving: every note gets a new mote id.
inline void renumber(NoteTable& table, int round) {
    for (int i = 0; i < kSlotCount; ++i) {
        table.slots[static_cast<std::size_t>(i)].moteId = 1000 * (round + 1) + i;
    }
}

// A settings file holding the first `count` of the hundred notes, in a folder of its own that goes
// with it.
class NoteFile {
public:
    NoteFile(const char* folderName, int count)
        : folder_(std::filesystem::temp_directory_path() / folderName),
          path_((folder_ / "yorimemo.ini").string()) {
        std::filesystem::create_directories(folder_);
        std::filesystem::remove(path_);
        SettingsFile file(path_);
        const NoteTable table = hundredNotes();
        const SettingsFile::Batch batch(file);
        for (int i = 0; i < count; ++i) file.saveNote(table, i);
    }
    ~NoteFile() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    NoteFile(const NoteFile&) = delete;
    NoteFile& operator=(const NoteFile&) = delete;

    const std::string& path() const { return path_; }

private:
    std::filesystem::path folder_;
    std::string path_;
};

}  // namespace yorimemo::bench
