// Native timings of the settings file: start-up load of 100 notes, and one note saved into it.

#include <benchmark/benchmark.h>

#include <filesystem>

#include "bench/hundred_notes.h"
#include "notes/settings_file.h"

namespace yorimemo::bench {
namespace {

class HundredNoteFile {
public:
    HundredNoteFile()
        : folder_(std::filesystem::temp_directory_path() / "yorimemo-store-bench"),
          path_((folder_ / "yorimemo.ini").string()) {
        std::filesystem::create_directories(folder_);
        std::filesystem::remove(path_);
        SettingsFile file(path_);
        const NoteTable table = hundredNotes();
        const SettingsFile::Batch batch(file);
        for (int i = 0; i < kSlotCount; ++i) file.saveNote(table, i);
    }
    ~HundredNoteFile() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    HundredNoteFile(const HundredNoteFile&) = delete;
    HundredNoteFile& operator=(const HundredNoteFile&) = delete;

    const std::string& path() const { return path_; }

private:
    std::filesystem::path folder_;
    std::string path_;
};

void loadHundredNotes(benchmark::State& state) {
    const HundredNoteFile file;
    SettingsFile settings(file.path());
    for (auto _ : state) {
        NoteTable table;
        settings.load(table);
        benchmark::DoNotOptimize(table.nextPriority);
    }
}
BENCHMARK(loadHundredNotes);

void saveNoteIntoHundredNoteFile(benchmark::State& state) {
    const HundredNoteFile file;
    SettingsFile settings(file.path());
    NoteTable table = hundredNotes();
    int round = 0;
    for (auto _ : state) {
        // A changed value, so that every save really writes.
        table.slots[50].priority = ++round;
        settings.saveNote(table, 50);
    }
}
BENCHMARK(saveNoteIntoHundredNoteFile);

}  // namespace
}  // namespace yorimemo::bench

BENCHMARK_MAIN();
