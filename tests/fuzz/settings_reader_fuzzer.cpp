// Loads arbitrary bytes as the settings file, saves every note it found and loads the result
// again: nothing may crash, and what the program writes must read back as the same notes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>

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
};

bool sameNote(const yorimemo::NoteSlot& a, const yorimemo::NoteSlot& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.color == b.color &&
           a.fontName == b.fontName && a.fontSize == b.fontSize && a.text == b.text &&
           a.textRed == b.textRed;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    MemoryFiles files;
    const std::string path = "fuzz.ini";
    files.files[path] = std::string(reinterpret_cast<const char*>(data), size);

    yorimemo::SettingsFile settings(path, files);
    yorimemo::NoteTable first;
    settings.load(first);
    {
        yorimemo::SettingsFile::Batch oneWrite(settings);
        for (int slot = 0; slot < yorimemo::kSlotCount; ++slot) {
            if (first.slots[slot].inUse()) settings.saveNote(first, slot);
        }
    }
    yorimemo::NoteTable second;
    yorimemo::SettingsFile(path, files).load(second);
    for (int slot = 0; slot < yorimemo::kSlotCount; ++slot) {
        const auto& before = first.slots[slot];
        const auto& after = second.slots[slot];
        if (before.inUse() != after.inUse()) std::abort();
        if (before.inUse() && !sameNote(before, after)) std::abort();
    }
    if (first.nextPriority != second.nextPriority) std::abort();
    return 0;
}
