#pragma once
// The INI file beside the program: read once at start into the note table, and written back at the
// moment of each change. Every operation that writes is one atomic replacement of the file.

#include <string>
#include <vector>

#include "notes/note_table.h"

namespace yorimemo {

class FileSystem;

class SettingsFile {
public:
    explicit SettingsFile(std::string iniPath);
    // Works through `files` instead of the platform's files (tests make single steps fail).
    SettingsFile(std::string iniPath, FileSystem& files);

    // Fills the table from the file: "System", then Husen1..Husen100, then compacts priorities.
    void load(NoteTable& table);

    void saveNote(const NoteTable& table, int slot);      // all ten keys of the slot's section
    void savePriority(const NoteTable& table, int slot);  // Priority
    void savePosition(const NoteTable& table, int slot);  // PosX, then PosY
    void eraseNoteSection(int slot);                      // the whole section
    void saveFloating(const NoteTable& table);            // System/Floating

    // While a batch is open the writes gather in memory and reach the file in one write when
    // the outermost batch closes, so the start-up redraw of every note costs one write.
    class Batch {
    public:
        explicit Batch(SettingsFile& file);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        SettingsFile& file_;
    };

    const std::string& path() const { return iniPath_; }

private:
    // One key to write, or a whole section to remove.
    struct Edit {
        std::string section;
        std::string key;
        std::string value;
        bool removesSection = false;
    };

    void submit(Edit edit);
    void flush();

    std::string iniPath_;
    FileSystem* files_;
    int batchDepth_ = 0;
    std::vector<Edit> pending_;
};

}  // namespace yorimemo
