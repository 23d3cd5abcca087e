// The kill test's writer: replaces the settings file with one version after another through the
// program's replacement on the Windows file functions, until the test ends it.
// Arguments: INI path, name of the shared progress, first generation, the test's process id, and
// "erase" to erase the first note and bring it back, again and again, through the settings file.

#include <windows.h>

#include <cstdlib>

#include "notes/file_replace.h"
#include "notes/settings_file.h"
#include "tests/notes/settings_versions_win32.h"

int main(int argc, char** argv) {
    using namespace yorimemo;
    if (argc != 5 && argc != 6) return 2;
    const bool erase = argc == 6;
    testing::SharedProgress progress(argv[2], false);
    const KernelHandle test(
        OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(std::strtoul(argv[4], nullptr, 10))));
    if (!progress.valid() || !test) return 2;
    std::string bytes;
    for (int generation = std::atoi(argv[3]);; ++generation) {
        // Never outlives a test that died without ending it.
        if (generation % 64 == 0 && WaitForSingleObject(test.get(), 0) != WAIT_TIMEOUT) return 3;
        if (erase) {
            SettingsFile file(argv[1]);
            NoteTable table;
            if (!file.load(table)) return 4;
            if (table.slots[0].inUse()) {
                file.eraseNoteSection(0);
            } else if (const auto erased = file.erasedNotes(); !erased.empty()) {
                const SettingsFile::Batch oneWrite(file);
                table.slots[0] = erased.front().note;
                file.saveNote(table, 0);
                file.dropErased(erased.front().section);
            }
            if (file.hasPendingEdits()) return 4;
        } else {
            testing::makeVersion(generation, bytes);
            if (!replaceFileContents(platformFileSystem(), argv[1], bytes)) return 4;
        }
        progress.publish(generation);
    }
}
