#include "tests/shell/dialog_driver_win32.h"

#include <gtest/gtest.h>

#include <string>

namespace yorimemo::testing {

namespace {

constexpr ULONGLONG kDeadlineMs = 10000;

struct Run {
    CModalDialog* dialog;
    std::vector<DialogStep> steps;
    std::size_t next = 0;
    ULONGLONG deadline = 0;
};

Run* current = nullptr;

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    Run& run = *current;
    const HWND hwnd = run.dialog->hwnd();
    if (hwnd == nullptr) return;
    if (::GetTickCount64() > run.deadline) {
        ::EndDialog(hwnd, kDialogLeftOpen);
        return;
    }
    if (!::IsWindowVisible(hwnd) || run.next == run.steps.size()) return;
    // The step may end the dialog; the next tick then finds no window.
    run.steps[run.next++](hwnd);
}

}  // namespace

INT_PTR RunDialog(CModalDialog& dialog, std::vector<DialogStep> steps) {
    Run run{&dialog, std::move(steps), 0, ::GetTickCount64() + kDeadlineMs};
    current = &run;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 10, Tick);
    const INT_PTR result = dialog.DoModal();
    ::KillTimer(nullptr, timer);
    current = nullptr;
    EXPECT_EQ(run.next, run.steps.size()) << "the dialog ended before every step ran";
    EXPECT_NE(result, kDialogLeftOpen) << "the dialog was still open after the last step";
    EXPECT_EQ(dialog.hwnd(), nullptr);
    return result;
}

void PostKey(HWND target, WPARAM virtualKey) {
    const LPARAM scan = static_cast<LPARAM>(::MapVirtualKeyA(static_cast<UINT>(virtualKey), 0))
                        << 16;
    ::PostMessageA(target, WM_KEYDOWN, virtualKey, scan | 1);
    ::PostMessageA(target, WM_KEYUP, virtualKey, scan | 1 | (LPARAM{3} << 30));
}

std::wstring ItemText(HWND dialog, int id) {
    const int length = ::GetWindowTextLengthW(::GetDlgItem(dialog, id));
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(::GetDlgItemTextW(dialog, id, text.data(), length + 1));
    return text;
}

void SetItemText(HWND dialog, int id, const std::wstring& text) {
    ::SetDlgItemTextW(dialog, id, text.c_str());
}

bool IsChecked(HWND dialog, int id) {
    return ::IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

void Click(HWND dialog, int id) {
    ::SendMessageA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

}  // namespace yorimemo::testing
