// Loads arbitrary bytes as the settings file, saves every note it found and loads the result
// again: nothing may crash, what the program writes must read back as the same notes in the same
// encoding, and a second start must leave the file as the first left it. Each input is tried as
// it is and again behind the UTF-8 mark.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "notes/file_io.h"
#include "notes/settings_file.h"

namespace {

class MemoryFiles final : public yorimemo::FileSystem {
public:
    std::map<std::string, std::string> files;

    yorimemo::ReadStatus readAll(const std::string& path, std::string& bytes) override {
        const auto found = files.find(path);
        if (found == files.end()) return yorimemo::ReadStatus::kMissing;
        bytes = found->second;
        return yorimemo::ReadStatus::kRead;
    }
    yorimemo::WriteStatus writeDurably(const std::string& path, std::string_view bytes) override {
        files[path] = std::string(bytes);
        return yorimemo::WriteStatus::kWritten;
    }
    bool renameOver(const std::string& from, const std::string& to) override {
        files[to] = files[from];
        files.erase(from);
        return true;
    }
    void removeFile(const std::string& path) override { files.erase(path); }
    // Files in memory have no attributes: none is read-only, none has any to keep.
    bool isReadOnly(const std::string&) override { return false; }
    void copyAttributes(const std::string&, const std::string&) override {}
    // Folders are not listed: the reader never asks.
    std::vector<std::string> fileNames(const std::string&) override { return {}; }
};

bool sameNote(const yorimemo::NoteSlot& a, const yorimemo::NoteSlot& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.color == b.color &&
           a.fontName == b.fontName && a.fontSize == b.fontSize && a.text == b.text &&
           a.textRed == b.textRed;
}

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

bool hasMark(std::string_view bytes) {
    return bytes.substr(0, kUtf8Mark.size()) == kUtf8Mark;
}

// What a start does: read the file, then save every note in use in one write.
yorimemo::NoteTable start(MemoryFiles& files, const std::string& path) {
    yorimemo::SettingsFile settings(path, files);
    yorimemo::NoteTable table;
    settings.load(table);
    yorimemo::SettingsFile::Batch oneWrite(settings);
    for (int slot = 0; slot < yorimemo::kSlotCount; ++slot) {
        if (table.slots[slot].inUse()) settings.saveNote(table, slot);
    }
    return table;
}

void checkStarts(const std::string& input) {
    MemoryFiles files;
    const std::string path = "fuzz.ini";
    files.files[path] = input;

    const yorimemo::NoteTable first = start(files, path);
    const std::string afterFirst = files.files[path];
    if (hasMark(afterFirst) != hasMark(input)) std::abort();
    const yorimemo::NoteTable second = start(files, path);
    if (files.files[path] != afterFirst) std::abort();

    if (first.encoding != second.encoding) std::abort();
    for (int slot = 0; slot < yorimemo::kSlotCount; ++slot) {
        const auto& before = first.slots[slot];
        const auto& after = second.slots[slot];
        if (before.inUse() != after.inUse()) std::abort();
        if (before.inUse() && !sameNote(before, after)) std::abort();
    }
    if (first.nextPriority != second.nextPriority) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    checkStarts(input);
    if (!hasMark(input)) checkStarts(std::string(kUtf8Mark) + input);
    return 0;
}
