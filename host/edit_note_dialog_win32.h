#pragma once
// The edit dialog: a note's text, font size, red-text flag and colour. Only "完了" (IDOK) writes
// the controls back into the slot; drawing and saving are the caller's.

#include "framework/modal_dialog.h"
#include "notes/note_table.h"

namespace yorimemo {

class CEditNoteDlg : public CModalDialog {
public:
    CEditNoteDlg(NoteTable& table, int slot, HWND parent);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    NoteTable& table_;
    int slot_;
};

}  // namespace yorimemo
