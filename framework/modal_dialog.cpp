#include "framework/modal_dialog.h"

namespace yorimemo {

CModalDialog::CModalDialog(int templateId, HWND parent)
    : templateId_(templateId), parent_(parent) {}

INT_PTR CModalDialog::DoModal() {
    const INT_PTR result =
        ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), parent_,
                          DialogProc, reinterpret_cast<LPARAM>(this));
    // A quit request (a log-off) ends the loop and is passed on; the system may then report IDOK
    // for a dialog the user never confirmed, and a half edit or an erase must not follow.
    MSG quit;
    if (::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) return IDCANCEL;
    return result;
}

void CModalDialog::EndDialog(INT_PTR result) {
    ::EndDialog(hwnd_, result);
}

INT_PTR CModalDialog::Answer(LRESULT result) {
    ::SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result);
    return TRUE;
}

INT_PTR CModalDialog::OnMessage(UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            return OnInitDialog();
        case WM_COMMAND:
            // Buttons, the Enter and Esc keys and the close box all arrive as BN_CLICKED (0).
            if (HIWORD(wParam) != BN_CLICKED) return FALSE;
            if (LOWORD(wParam) == IDOK) {
                OnOK();
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                OnCancel();
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

INT_PTR CALLBACK CModalDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        ::SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        reinterpret_cast<CModalDialog*>(lParam)->hwnd_ = hwnd;
    }
    // Messages sent before WM_INITDIALOG (WM_SETFONT among them) find no object yet.
    auto* dialog = reinterpret_cast<CModalDialog*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
    if (dialog == nullptr) return FALSE;

    INT_PTR handled = FALSE;
    // An exception must not unwind through the system's code that called us.
    try {
        handled = dialog->OnMessage(message, wParam, lParam);
    } catch (...) {
        handled = FALSE;
    }
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        dialog->hwnd_ = nullptr;
    }
    return handled;
}

}  // namespace yorimemo
