// The other PC of the several-PCs test, started inside a Wine prefix (and Wine server) of its own:
// it runs the program from a folder of its own and does what the test asks, one command file at a
// time, in a folder both PCs reach. A program in one prefix cannot see the other's windows.
#include <windows.h>

#include <string>

#include "tests/e2e/harness_win32.h"

namespace {

using namespace yorimemo::e2e;

constexpr DWORD kCommandDeadlineMs = 180000;

// Appears whole, by renaming, so the test never reads half of it.
void answer(const std::string& exchange, const std::string& name, const std::string& text) {
    const std::string path = exchange + "/" + name;
    writeFileBytes(path + ".part", text);
    ::MoveFileExA((path + ".part").c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

int run(const std::string& exchange) {
    ProgramFolder folder(Library::Recording);
    folder.writeIni(readFileBytes(exchange + "/start.ini"));
    RunningProgram program(folder);
    if (program.host() == nullptr || !program.settle()) return 1;
    answer(exchange, "folder", unixPath(folder.path()));
    for (int number = 1;; ++number) {
        const std::string command = exchange + "/command-" + std::to_string(number);
        if (!waitFor([&] { return fileExists(command); }, kCommandDeadlineMs)) return 1;
        const std::string what = readFileBytes(command);
        if (what == "quit") {
            const bool ended = program.quit();
            answer(exchange, "done-" + std::to_string(number), ended ? "ok" : "failed");
            return ended ? 0 : 1;
        }
        bool done = false;
        if (what == "create") {
            program.openTrayMenu();
            done = program.chooseMenuKey('y') && program.settle();
        }
        answer(exchange, "done-" + std::to_string(number), done ? "ok" : "failed");
    }
}

}  // namespace

int main(int argc, char** argv) {
    return argc == 2 ? run(argv[1]) : 2;
}
