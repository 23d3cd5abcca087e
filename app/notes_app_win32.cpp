#include "app/notes_app_win32.h"

#include <array>

#include "app/program_paths.h"
#include "host/host_dialog_win32.h"

namespace yorimemo {

namespace {

constexpr char kInstanceMutexName[] = "yorimemo";

bool IsLeadByte(unsigned char byte) {
    return ::IsDBCSLeadByte(byte) != FALSE;
}

std::string ModulePath() {
    std::array<char, kMaxPath> buffer{};
    const DWORD length = ::GetModuleFileNameA(nullptr, buffer.data(), kMaxPath);
    // A path cut at the buffer's end fills it completely; keep what fits.
    return std::string(buffer.data(), length < kMaxPath ? length : kMaxPath - 1);
}

}  // namespace

CNotesApp::CNotesApp() {
    const std::string modulePath = ModulePath();
    programDirectory_ = ProgramDirectory(modulePath, IsLeadByte);
    iniPath_ = IniPath(modulePath, IsLeadByte);
}

bool CNotesApp::InitInstance() {
    mutex_.reset(::CreateMutexA(nullptr, FALSE, kInstanceMutexName));
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
