#pragma once
// Drives dialogs the way a user would. A modal dialog of the test's own thread is driven from
// inside its message loop: each step runs on a timer tick once the dialog is on screen, so
// messages a step posts (keys, clicks) are handled before the next step runs (timer messages come
// last in the queue). The item functions work on such a dialog and on another process's alike:
// every message they send has a deadline.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/modal_dialog.h"

namespace yorimemo::testing {

using DialogStep = std::function<void(HWND dialog)>;

// What RunDialog returns when the dialog was still open after all steps and a grace period.
inline constexpr INT_PTR kDialogLeftOpen = -2;

INT_PTR RunDialog(CModalDialog& dialog, std::vector<DialogStep> steps);

// A key press and release posted to `target`, as the keyboard would deliver them.
void PostKey(HWND target, WPARAM virtualKey);

// Dialog texts in UTF-16, the same on every system code page.
std::wstring ItemText(HWND dialog, int id);
bool SetItemText(HWND dialog, int id, const std::wstring& text);
bool IsChecked(HWND dialog, int id);
// A drop-down list's entries, and the index of the selected one (CB_ERR when none).
std::vector<std::wstring> ComboItems(HWND dialog, int id);
int ComboSelection(HWND dialog, int id);
bool SelectComboItem(HWND dialog, int id, int index);
// A real click (BM_CLICK), so radio groups and check boxes behave as for a user.
void Click(HWND dialog, int id);
// Presses a push button of another thread's dialog by its command and waits for the dialog to
// close.
bool PressButton(HWND dialog, int id);

}  // namespace yorimemo::testing
