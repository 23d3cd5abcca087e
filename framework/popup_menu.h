#pragma once
// A popup menu that lives as long as this object: created empty, filled in code, destroyed with it.

#include <windows.h>

namespace yorimemo {

class CPopupMenu {
public:
    CPopupMenu();
    ~CPopupMenu();

    CPopupMenu(const CPopupMenu&) = delete;
    CPopupMenu& operator=(const CPopupMenu&) = delete;

    // False when the system could not create the menu; every other call then does nothing.
    explicit operator bool() const { return menu_ != nullptr; }
    HMENU handle() const { return menu_; }

    bool AppendString(UINT commandId, const wchar_t* text);
    bool AppendSeparator();
    // On success the submenu belongs to this menu from then on and `submenu` holds none.
    bool AppendSubmenu(CPopupMenu& submenu, const wchar_t* text, bool enabled);
    // The item is named by its command id.
    void CheckItem(UINT commandId, bool checked);
    // A disabled item is shown greyed and cannot be chosen.
    void EnableItem(UINT commandId, bool enabled);

    // Shows the menu with its corner at (x, y) and waits for the choice: the chosen command id,
    // or 0 when the menu was dismissed. `flags` are TPM_ alignment and button flags.
    UINT Track(HWND owner, int x, int y, UINT flags = 0);

private:
    HMENU menu_;
};

}  // namespace yorimemo
