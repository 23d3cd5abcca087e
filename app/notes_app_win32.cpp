#include "app/notes_app_win32.h"

#include <string>

#include "app/program_paths.h"
#include "host/host_dialog_win32.h"

namespace yorimemo {

namespace {

constexpr wchar_t kInstanceMutexName[] = L"yorimemo";

// The whole path, however long: the buffer grows until the path fits with its terminator.
std::wstring ModulePath() {
    std::wstring buffer(kMaxPath, L'\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), size);
        if (length == 0) return {};
        if (length < size) {
            buffer.resize(length);
            return buffer;
        }
        // Cut to fit: try again with room to spare. The system's paths end at 32767 units.
        if (size > 32768) return {};
        buffer.resize(static_cast<std::size_t>(size) * 2);
    }
}

}  // namespace

CNotesApp::CNotesApp() {
    const std::wstring modulePath = ModulePath();
    pathsUsable_ = !modulePath.empty() && PathsFitLimit(modulePath);
    programDirectory_ = ProgramDirectory(modulePath);
    iniPath_ = IniPath(modulePath);
}

bool CNotesApp::InitInstance() {
    // A path the file functions cannot take whole: end before any file is touched.
    if (!pathsUsable_) return false;
    mutex_.reset(::CreateMutexW(nullptr, FALSE, kInstanceMutexName));
    const DWORD error = ::GetLastError();
    if (!mutex_) return false;
    // Another instance runs: end silently and leave it alone.
    if (error == ERROR_ALREADY_EXISTS) {
        mutex_.reset();
        return false;
    }

    CHostDlg host(programDirectory_, iniPath_, nullptr);
    host.DoModal();
    return false;
}

}  // namespace yorimemo
