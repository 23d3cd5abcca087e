#include "tests/support/dialog_driver_win32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/support/wait_win32.h"

namespace yorimemo::testing {

namespace {

constexpr ULONGLONG kDialogDeadlineMs = 10000;

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

// False when the item is missing or did not answer in time.
bool SendToItem(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam,
                DWORD_PTR& answer) {
    const HWND item = ::GetDlgItem(dialog, id);
    return item != nullptr && ::SendMessageTimeoutW(item, message, wParam, lParam, SMTO_NORMAL,
                                                    kDeadlineMs, &answer) != 0;
}

}  // namespace

INT_PTR RunDialog(CModalDialog& dialog, std::vector<DialogStep> steps) {
    Run run{&dialog, std::move(steps), 0, ::GetTickCount64() + kDialogDeadlineMs};
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
    const LPARAM scan = static_cast<LPARAM>(::MapVirtualKeyW(static_cast<UINT>(virtualKey), 0))
                        << 16;
    ::PostMessageW(target, WM_KEYDOWN, virtualKey, scan | 1);
    ::PostMessageW(target, WM_KEYUP, virtualKey, scan | 1 | (LPARAM{3} << 30));
}

std::wstring ItemText(HWND dialog, int id) {
    DWORD_PTR length = 0;
    if (!SendToItem(dialog, id, WM_GETTEXTLENGTH, 0, 0, length)) return {};
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendToItem(dialog, id, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), copied);
    text.resize(std::min<std::size_t>(copied, length));
    return text;
}

std::vector<std::wstring> ComboItems(HWND dialog, int id) {
    std::vector<std::wstring> items;
    DWORD_PTR count = 0;
    if (!SendToItem(dialog, id, CB_GETCOUNT, 0, 0, count)) return items;
    for (WPARAM i = 0; i < count; ++i) {
        DWORD_PTR length = 0;
        if (!SendToItem(dialog, id, CB_GETLBTEXTLEN, i, 0, length)) break;
        std::wstring text(length + 1, L'\0');
        DWORD_PTR copied = 0;
        SendToItem(dialog, id, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()), copied);
        text.resize(std::min<std::size_t>(copied, length));
        items.push_back(std::move(text));
    }
    return items;
}

int ComboSelection(HWND dialog, int id) {
    DWORD_PTR selected = 0;
    if (!SendToItem(dialog, id, CB_GETCURSEL, 0, 0, selected)) return CB_ERR;
    return static_cast<int>(static_cast<LRESULT>(selected));
}

bool SelectComboItem(HWND dialog, int id, int index) {
    DWORD_PTR answer = 0;
    return SendToItem(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0, answer) &&
           static_cast<int>(static_cast<LRESULT>(answer)) == index;
}

bool SetItemText(HWND dialog, int id, const std::wstring& text) {
    DWORD_PTR answer = 0;
    return SendToItem(dialog, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), answer) &&
           answer != 0;
}

bool IsChecked(HWND dialog, int id) {
    DWORD_PTR state = 0;
    return SendToItem(dialog, id, BM_GETCHECK, 0, 0, state) && state == BST_CHECKED;
}

void Click(HWND dialog, int id) {
    DWORD_PTR answer = 0;
    SendToItem(dialog, id, BM_CLICK, 0, 0, answer);
}

bool PressButton(HWND dialog, int id) {
    const HWND button = ::GetDlgItem(dialog, id);
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(button));
    return waitFor([dialog] { return !::IsWindow(dialog) || !::IsWindowVisible(dialog); });
}

}  // namespace yorimemo::testing
