#include "host/host_dialog_win32.h"

#include <utility>

#include "notes/settings_file.h"
#include "res/resource.h"

namespace yorimemo {

namespace {

// With its 5 x 5 dialog units the window lies wholly off-screen there.
constexpr int kParkedX = -100;
constexpr int kParkedY = -100;

}  // namespace

CHostDlg::CHostDlg(std::string programDirectory, std::string iniPath, HWND parent)
    : CModalDialog(IDD_HOST, parent),
      programDirectory_(std::move(programDirectory)),
      iniPath_(std::move(iniPath)) {}

BOOL CHostDlg::OnInitDialog() {
    CModalDialog::OnInitDialog();
    ::SetWindowPos(hwnd(), nullptr, kParkedX, kParkedY, 0, 0, SWP_NOSIZE);
    SettingsFile(iniPath_).load(table_);
    return TRUE;
}

}  // namespace yorimemo
