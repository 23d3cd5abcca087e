// Start-up work on a 100-note file, done with our profile functions and with the platform's:
// load every note, then save all 100 (our way: one batch; the platform's way: key by key).

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench/hundred_notes.h"
#include "notes/decimal.h"
#include "notes/priority_compaction.h"
#include "notes/settings_file.h"
#include "notes/text_escape.h"

namespace yorimemo::bench {
namespace {

constexpr char kGothic[] = "\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E";

std::string platformRead(const std::string& path, const char* section, const char* key,
                         const char* fallback) {
    char value[256];
    GetPrivateProfileStringA(section, key, fallback, value, sizeof value, path.c_str());
    return value;
}

void platformWrite(const std::string& path, const char* section, const char* key,
                   const std::string& value) {
    WritePrivateProfileStringA(section, key, value.c_str(), path.c_str());
}

// The same load as SettingsFile::load, one platform call per key.
void loadWithPlatform(const std::string& path, NoteTable& table) {
    const std::string floating = platformRead(path, "System", "Floating", "Off");
    table.floating = (floating == "on" || floating == "On" || floating == "ON") ? 1 : 0;
    table.defaultWidth = parseDecimal(platformRead(path, "System", "Width", "300"));
    table.defaultHeight = parseDecimal(platformRead(path, "System", "Height", "50"));
    table.defaultFontName = platformRead(path, "System", "FontName", kGothic);
    table.defaultFontSize = parseDecimal(platformRead(path, "System", "FontSize", "9"));
    for (int i = 0; i < kSlotCount; ++i) {
        const std::string section = "Husen" + std::to_string(i + 1);
        const char* s = section.c_str();
        NoteSlot& note = table.slots[static_cast<std::size_t>(i)];
        note.moteId = parseDecimal(platformRead(path, s, "ID", "-1"));
        if (!note.inUse()) continue;
        note.priority = parseDecimal(platformRead(path, s, "Priority", "0"));
        note.x = parseDecimal(platformRead(path, s, "PosX", "0"));
        note.y = parseDecimal(platformRead(path, s, "PosY", "0"));
        note.width = parseDecimal(platformRead(path, s, "Width", "300"));
        note.color = static_cast<NoteColor>(parseDecimal(platformRead(path, s, "Type", "0")));
        note.fontName = platformRead(path, s, "FontName", kGothic);
        note.fontSize = parseDecimal(platformRead(path, s, "FontSize", "9"));
        note.text = unescapeLineBreaks(platformRead(path, s, "Text", ""), TextEncoding::kShiftJis);
        note.textRed = parseDecimal(platformRead(path, s, "TextRed", "0")) == 1 ? 1 : 0;
    }
    table.nextPriority = compactPriorities(table);
}

void saveWithPlatform(const std::string& path, const NoteTable& table, int slot) {
    const NoteSlot& note = table.slots[static_cast<std::size_t>(slot)];
    const std::string section = "Husen" + std::to_string(slot + 1);
    const char* s = section.c_str();
    platformWrite(path, s, "ID", formatDecimal(note.moteId));
    platformWrite(path, s, "Priority", formatDecimal(note.priority));
    platformWrite(path, s, "PosX", formatDecimal(note.x));
    platformWrite(path, s, "PosY", formatDecimal(note.y));
    platformWrite(path, s, "Width", formatDecimal(note.width));
    platformWrite(path, s, "Type", formatDecimal(note.color));
    platformWrite(path, s, "FontName", note.fontName);
    platformWrite(path, s, "FontSize", formatDecimal(note.fontSize));
    platformWrite(path, s, "Text", escapeLineBreaks(note.text));
    platformWrite(path, s, "TextRed", note.textRed != 0 ? "1" : "0");
}

std::string makeHundredNoteFile(const std::filesystem::path& folder, const std::string& name) {
    const std::string path = (folder / name).string();
    SettingsFile file(path);
    const NoteTable table = hundredNotes();
    const SettingsFile::Batch batch(file);
    for (int i = 0; i < kSlotCount; ++i) file.saveNote(table, i);
    return path;
}

template <typename Work>
double millisecondsFor(Work work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    const std::chrono::duration<double, std::milli> spent =
        std::chrono::steady_clock::now() - start;
    return spent.count();
}

}  // namespace
}  // namespace yorimemo::bench

// store_bench [rounds, default 3]
int main(int argc, char** argv) {
    using namespace yorimemo;
    using namespace yorimemo::bench;
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() /
        ("yorimemo-store-bench-" + std::to_string(GetCurrentProcessId()));
    std::filesystem::create_directories(folder);

    // Best of a few rounds, each on a fresh file so that no cached copy is reused.
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    double ours = 1e300;
    double platform = 1e300;
    bool sameTables = true;
    for (int round = 0; round < rounds; ++round) {
        const std::string ourPath = makeHundredNoteFile(folder, "ours" + std::to_string(round));
        const std::string theirPath = makeHundredNoteFile(folder, "theirs" + std::to_string(round));
        NoteTable ourTable;
        NoteTable theirTable;
        ours = std::min(ours, millisecondsFor([&] {
                            SettingsFile file(ourPath);
                            file.load(ourTable);
                            renumber(ourTable, round);
                            const SettingsFile::Batch batch(file);
                            for (int i = 0; i < kSlotCount; ++i) file.saveNote(ourTable, i);
                        }));
        platform =
            std::min(platform, millisecondsFor([&] {
                         loadWithPlatform(theirPath, theirTable);
                         renumber(theirTable, round);
                         for (int i = 0; i < kSlotCount; ++i) {
                             saveWithPlatform(theirPath, theirTable, i);
                         }
                         WritePrivateProfileStringA(nullptr, nullptr, nullptr, theirPath.c_str());
                     }));
        for (int i = 0; i < kSlotCount; ++i) {
            sameTables = sameTables && ourTable.slots[i].text == theirTable.slots[i].text &&
                         ourTable.slots[i].priority == theirTable.slots[i].priority;
        }
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);

    // The timing counts only when both ways read the same notes.
    if (!sameTables) {
        std::printf("the two loads disagree\n");
        return 1;
    }
    std::printf("load + save of 100 notes, best of %d\n", rounds);
    std::printf("ours:     %10.3f ms (one read, one batch write)\n", ours);
    std::printf("platform: %10.3f ms (1005 reads, 1000 writes key by key)\n", platform);
    std::printf("ratio:    %10.1fx\n", platform / ours);
    return 0;
}
