// The kill test's writer: replaces the settings file with one version after another through the
// program's replacement on the Windows file functions, until the test ends it.
// Arguments: INI path, name of the shared progress, first generation, the test's process id.

#include <windows.h>

#include <cstdlib>

#include "notes/file_replace.h"
#include "tests/notes/settings_versions_win32.h"

int main(int argc, char** argv) {
    using namespace yorimemo;
    if (argc != 5) return 2;
    testing::SharedProgress progress(argv[2], false);
    const KernelHandle test(
        OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(std::strtoul(argv[4], nullptr, 10))));
    if (!progress.valid() || !test) return 2;
    std::string bytes;
    for (int generation = std::atoi(argv[3]);; ++generation) {
        // Never outlives a test that died without ending it.
        if (generation % 64 == 0 && WaitForSingleObject(test.get(), 0) != WAIT_TIMEOUT) return 3;
        testing::makeVersion(generation, bytes);
        if (!replaceFileContents(platformFileSystem(), argv[1], bytes)) return 4;
        progress.publish(generation);
    }
}
