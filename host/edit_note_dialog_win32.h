#pragma once
// The edit dialog: a note's text, face, font size, red-text flag and colour. Only "完了" (IDOK)
// writes the controls back into the slot; drawing and saving are the caller's. A text the note file
// cannot store is refused with a message, and the dialog stays open with the text as typed.

#include <string>

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
    // The note's text as shown: when it comes back unchanged, the stored bytes are kept as they
    // are (a round trip could change duplicate or invalid codes).
    std::wstring shownText_;
    // The face list's entry selected at the start: while it stays selected the stored face's
    // bytes are kept, installed or not.
    int shownFace_ = CB_ERR;
};

}  // namespace yorimemo
