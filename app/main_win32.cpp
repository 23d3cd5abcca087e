// The process's entry point; all the work is the application object's.
#include <windows.h>

#include "app/notes_app_win32.h"

namespace yorimemo {
namespace {

CNotesApp theApp;

using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);

// A library asked for by bare name, by us or by the system on our behalf, comes from the system
// folder only, never from the current directory or PATH. The call came with a 2011 update of
// Windows 7, so it is looked up: without it the current directory at least leaves the search,
// and no LOAD_LIBRARY_SEARCH_* flag may be passed anywhere (the loader refuses them there).
void LimitLibrarySearch() {
    const HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
    const auto limit = kernel == nullptr
                           ? nullptr
                           : reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void*>(
                                 ::GetProcAddress(kernel, "SetDefaultDllDirectories")));
    if (limit == nullptr || !limit(LOAD_LIBRARY_SEARCH_SYSTEM32)) ::SetDllDirectoryW(L"");
}

}  // namespace
}  // namespace yorimemo

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    // Before anything is loaded. mote.dll itself is loaded by its full path.
    yorimemo::LimitLibrarySearch();
    return yorimemo::CApplication::Run();
}
