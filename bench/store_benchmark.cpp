// Native timings of the settings file: start-up load of 100 notes, and one note saved into it.

#include <benchmark/benchmark.h>

#include <filesystem>

#include "bench/hundred_notes.h"
#include "notes/settings_file.h"

namespace yorimemo::bench {
namespace {

void loadHundredNotes(benchmark::State& state) {
    const NoteFile file("yorimemo-store-bench", kSlotCount);
    SettingsFile settings(file.path());
    for (auto _ : state) {
        NoteTable table;
        settings.load(table);
        benchmark::DoNotOptimize(table.nextPriority);
    }
}
BENCHMARK(loadHundredNotes);

void saveNoteIntoHundredNoteFile(benchmark::State& state) {
    const NoteFile file("yorimemo-store-bench", kSlotCount);
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
