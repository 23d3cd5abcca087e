#include "host/edit_note_dialog_win32.h"

#include <string>
#include <utility>
#include <vector>

#include "host/dialog_placement_win32.h"
#include "host/face_list.h"
#include "host/notice_text.h"
#include "notes/text_codec_win32.h"
#include "res/resource.h"
#include "text/default_face.h"

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

int CALLBACK CollectFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM collected) {
    reinterpret_cast<std::vector<InstalledFace>*>(collected)->push_back(
        {font->lfFaceName, font->lfCharSet == SHIFTJIS_CHARSET, true});
    return 1;
}

// Every installed face once per character set, each marked by whether the file can name it.
std::vector<InstalledFace> InstalledFaces(TextEncoding encoding) {
    std::vector<InstalledFace> faces;
    HDC screen = ::GetDC(nullptr);
    if (screen == nullptr) return faces;
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    ::EnumFontFamiliesExW(screen, &wanted, CollectFace, reinterpret_cast<LPARAM>(&faces), 0);
    ::ReleaseDC(nullptr, screen);
    std::string bytes;
    std::wstring unstorable;
    for (InstalledFace& face : faces) {
        face.storable = EncodeText(face.name, encoding, bytes, unstorable);
    }
    return faces;
}

}  // namespace

CEditNoteDlg::CEditNoteDlg(NoteTable& table, int slot, HWND parent)
    : CModalDialog(IDD_EDIT_NOTE, parent), table_(table), slot_(slot) {}

BOOL CEditNoteDlg::OnInitDialog() {
    CModalDialog::OnInitDialog();
    const NoteSlot& note = table_.slots[slot_];
    shownText_ = DecodeText(note.text, table_.encoding);
    ::SetDlgItemTextW(hwnd(), IDC_NOTE_TEXT, shownText_.c_str());
    // A note without a face is drawn in the default one.
    const std::wstring face = note.fontName.empty() ? std::wstring(kDefaultFaceWide)
                                                    : DecodeText(note.fontName, table_.encoding);
    const FaceChoices faces = ChooseFaces(InstalledFaces(table_.encoding), face);
    for (const std::wstring& name : faces.names) {
        ::SendDlgItemMessageW(hwnd(), IDC_FONT_FACE, CB_ADDSTRING, 0,
                              reinterpret_cast<LPARAM>(name.c_str()));
    }
    ::SendDlgItemMessageW(hwnd(), IDC_FONT_FACE, CB_SETCURSEL, faces.selected, 0);
    shownFace_ = static_cast<int>(::SendDlgItemMessageW(hwnd(), IDC_FONT_FACE, CB_GETCURSEL, 0, 0));
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
    std::string fontName = note.fontName;
    const int chosenFace =
        static_cast<int>(::SendDlgItemMessageW(hwnd(), IDC_FONT_FACE, CB_GETCURSEL, 0, 0));
    if (chosenFace != shownFace_ && chosenFace != CB_ERR) {
        const LRESULT length =
            ::SendDlgItemMessageW(hwnd(), IDC_FONT_FACE, CB_GETLBTEXTLEN, chosenFace, 0);
        std::wstring name(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
        const LRESULT copied = ::SendDlgItemMessageW(
            hwnd(), IDC_FONT_FACE, CB_GETLBTEXT, chosenFace, reinterpret_cast<LPARAM>(name.data()));
        name.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
        // Only faces the file can name are listed; should one not encode, the stored face stays.
        std::wstring unstorable;
        std::string encoded;
        if (EncodeText(name, table_.encoding, encoded, unstorable)) fontName = std::move(encoded);
    }
    note.text = std::move(text);
    note.fontName = std::move(fontName);
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
