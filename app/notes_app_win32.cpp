#include "app/notes_app_win32.h"

#include <array>

#include "app/program_paths.h"
#include "host/host_dialog_win32.h"

namespace yorimemo {

namespace {

constexpr wchar_t kInstanceMutexName[] = L"yorimemo";

std::wstring ModulePath() {
    std::array<wchar_t, kMaxPath> buffer{};
    const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), kMaxPath);
    // A path cut at the buffer's end fills it completely; keep what fits.
    return std::wstring(buffer.data(), length < kMaxPath ? length : kMaxPath - 1);
}

}  // namespace

CNotesApp::CNotesApp() {
    const std::wstring modulePath = ModulePath();
    programDirectory_ = ProgramDirectory(modulePath);
    iniPath_ = IniPath(modulePath);
}

bool CNotesApp::InitInstance() {
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
