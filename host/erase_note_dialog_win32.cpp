#include "host/erase_note_dialog_win32.h"

#include "host/dialog_placement_win32.h"
#include "res/resource.h"

namespace yorimemo {

CEraseNoteDlg::CEraseNoteDlg(const NoteTable& table, int slot, HWND parent)
    : CModalDialog(IDD_ERASE_NOTE, parent), table_(table), slot_(slot) {}

BOOL CEraseNoteDlg::OnInitDialog() {
    CModalDialog::OnInitDialog();
    MoveDialogToNote(hwnd(), table_, slot_);
    return TRUE;
}

}  // namespace yorimemo
