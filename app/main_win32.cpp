// The process's entry point; all the work is the application object's.
#include <windows.h>

#include "app/notes_app_win32.h"

namespace {
yorimemo::CNotesApp theApp;
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return yorimemo::CApplication::Run();
}
