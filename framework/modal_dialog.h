#pragma once
// A modal dialog built from a template in the program's resources. The object travels to the
// window in DialogBoxParamW's lParam; one static procedure hands every message to OnMessage.

#include <windows.h>

namespace yorimemo {

class CModalDialog {
public:
    CModalDialog(int templateId, HWND parent);
    virtual ~CModalDialog() = default;

    CModalDialog(const CModalDialog&) = delete;
    CModalDialog& operator=(const CModalDialog&) = delete;

    // Runs the dialog's own message loop until EndDialog; -1 when the dialog cannot be created,
    // IDCANCEL when a quit request (the end of the session) ended it.
    INT_PTR DoModal();

    // The dialog window while it exists, null before and after.
    HWND hwnd() const { return hwnd_; }

protected:
    // Every message reaches this first. A subclass that wants a message overrides this, handles
    // it and calls the base for the rest. Return FALSE to leave the message to the dialog
    // manager; return Answer(result) to hand a result back to the sender.
    virtual INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // TRUE lets the system give the focus to the first tab stop.
    virtual BOOL OnInitDialog() { return TRUE; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }

    void EndDialog(INT_PTR result);

    // Marks the message handled with `result` as its answer (DWLP_MSGRESULT). The few messages
    // whose answer is the procedure's return value itself (WM_INITDIALOG, WM_QUERYDRAGICON,
    // WM_CTLCOLOR*, WM_COMPAREITEM, WM_VKEYTOITEM, WM_CHARTOITEM) return it directly instead.
    INT_PTR Answer(LRESULT result);

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    int templateId_;
    HWND parent_;
    HWND hwnd_ = nullptr;
};

}  // namespace yorimemo
