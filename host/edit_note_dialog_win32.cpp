#include "host/edit_note_dialog_win32.h"

#include <string>
#include <utility>

#include "host/dialog_placement_win32.h"
#include "host/notice_text.h"
#include "notes/text_codec_win32.h"
#include "res/resource.h"

namespace yorimemo {

namespace {

constexpr wchar_t kMessageTitle[] = L"yorimemo";

void SetCheck(HWND dialog, int id, bool checked) {
    ::SendDlgItemMessageW(dialog, id, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool IsChecked(HWND dialog, int id) {
    return ::SendDlgItemMessageW(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::wstring ItemText(HWND dialog, int id) {
    const int length = ::GetWindowTextLengthW(::GetDlgItem(dialog, id));
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const UINT copied = ::GetDlgItemTextW(dialog, id, text.data(), length + 1);
    text.resize(copied);
    return text;
}

}  // namespace

CEditNoteDlg::CEditNoteDlg(NoteTable& table, int slot, HWND parent)
    : CModalDialog(IDD_EDIT_NOTE, parent), table_(table), slot_(slot) {}

BOOL CEditNoteDlg::OnInitDialog() {
    CModalDialog::OnInitDialog();
    const NoteSlot& note = table_.slots[slot_];
    shownText_ = DecodeText(note.text, table_.encoding);
    ::SetDlgItemTextW(hwnd(), IDC_NOTE_TEXT, shownText_.c_str());
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
    const std::wstring typed = ItemText(hwnd(), IDC_NOTE_TEXT);
    std::string text = note.text;
    if (typed != shownText_) {
        std::wstring unstorable;
        if (!EncodeText(typed, table_.encoding, text, unstorable)) {
            // Nothing is written back; the user fixes the text or cancels.
            ::MessageBoxW(hwnd(), unstorableTextMessage(unstorable).c_str(), kMessageTitle,
                          MB_OK | MB_ICONWARNING);
            ::SetFocus(::GetDlgItem(hwnd(), IDC_NOTE_TEXT));
            return;
        }
    }
    note.text = std::move(text);
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
