#include "host/edit_note_dialog_win32.h"

#include <string>

#include "host/dialog_placement_win32.h"
#include "res/resource.h"

namespace yorimemo {

namespace {

void SetCheck(HWND dialog, int id, bool checked) {
    ::SendDlgItemMessageA(dialog, id, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool IsChecked(HWND dialog, int id) {
    return ::SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::string ItemText(HWND dialog, int id) {
    // The reported length may exceed the text (double-byte conversion), never fall short of it.
    const int length = ::GetWindowTextLengthA(::GetDlgItem(dialog, id));
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const UINT copied = ::GetDlgItemTextA(dialog, id, text.data(), length + 1);
    text.resize(copied);
    return text;
}

}  // namespace

CEditNoteDlg::CEditNoteDlg(NoteTable& table, int slot, HWND parent)
    : CModalDialog(IDD_EDIT_NOTE, parent), table_(table), slot_(slot) {}

BOOL CEditNoteDlg::OnInitDialog() {
    CModalDialog::OnInitDialog();
    const NoteSlot& note = table_.slots[slot_];
    ::SetDlgItemTextA(hwnd(), IDC_NOTE_TEXT, note.text.c_str());
    ::SetDlgItemInt(hwnd(), IDC_FONT_SIZE, static_cast<UINT>(note.fontSize), TRUE);
    SetCheck(hwnd(), IDC_TEXT_RED, note.textRed != 0);
    SetCheck(hwnd(), IDC_COLOR_CYAN, note.color == kCyan);
    SetCheck(hwnd(), IDC_COLOR_MAGENTA, note.color == kMagenta);
    SetCheck(hwnd(), IDC_COLOR_YELLOW, note.color == kYellow);
    MoveDialogToNote(hwnd(), table_, slot_);
    return TRUE;
}

void CEditNoteDlg::OnOK() {
    NoteSlot& note = table_.slots[slot_];
    note.text = ItemText(hwnd(), IDC_NOTE_TEXT);
    // A field that does not convert gives 0, which is stored like any other size.
    note.fontSize =
        static_cast<std::int32_t>(::GetDlgItemInt(hwnd(), IDC_FONT_SIZE, nullptr, TRUE));
    note.textRed = IsChecked(hwnd(), IDC_TEXT_RED) ? 1 : 0;
    if (IsChecked(hwnd(), IDC_COLOR_CYAN)) {
        note.color = kCyan;
    } else if (IsChecked(hwnd(), IDC_COLOR_MAGENTA)) {
        note.color = kMagenta;
    } else {
        note.color = kYellow;
    }
    CModalDialog::OnOK();
}

}  // namespace yorimemo
