// The process's entry point; all the work is the application object's.
#include <windows.h>

#include "app/notes_app_win32.h"

namespace {
yorimemo::CNotesApp theApp;
}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    // Before anything is loaded: a library asked for by bare name, by us or by the system on our
    // behalf, comes from the system folder only, never from the current directory or PATH.
    // mote.dll itself is loaded by its full path.
    ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    return yorimemo::CApplication::Run();
}
