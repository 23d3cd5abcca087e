#pragma once
// The erase confirmation: "はい" returns IDOK, and the caller erases the note.

#include "framework/modal_dialog.h"
#include "notes/note_table.h"

namespace yorimemo {

class CEraseNoteDlg : public CModalDialog {
public:
    CEraseNoteDlg(const NoteTable& table, int slot, HWND parent);

protected:
    BOOL OnInitDialog() override;

private:
    const NoteTable& table_;
    int slot_;
};

}  // namespace yorimemo
