#include "framework/popup_menu.h"

namespace yorimemo {

CPopupMenu::CPopupMenu() : menu_(::CreatePopupMenu()) {}

CPopupMenu::~CPopupMenu() {
    if (menu_ != nullptr) ::DestroyMenu(menu_);
}

bool CPopupMenu::AppendString(UINT commandId, const wchar_t* text) {
    return menu_ != nullptr && ::AppendMenuW(menu_, MF_STRING, commandId, text) != FALSE;
}

bool CPopupMenu::AppendSeparator() {
    return menu_ != nullptr && ::AppendMenuW(menu_, MF_SEPARATOR, 0, nullptr) != FALSE;
}

bool CPopupMenu::AppendSubmenu(CPopupMenu& submenu, const wchar_t* text, bool enabled) {
    if (menu_ == nullptr || submenu.menu_ == nullptr) return false;
    const UINT flags = MF_POPUP | MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED);
    if (!::AppendMenuW(menu_, flags, reinterpret_cast<UINT_PTR>(submenu.menu_), text)) {
        return false;
    }
    submenu.menu_ = nullptr;  // destroyed with this menu
    return true;
}

void CPopupMenu::CheckItem(UINT commandId, bool checked) {
    if (menu_ == nullptr) return;
    ::CheckMenuItem(menu_, commandId, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void CPopupMenu::EnableItem(UINT commandId, bool enabled) {
    if (menu_ == nullptr) return;
    ::EnableMenuItem(menu_, commandId, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

UINT CPopupMenu::Track(HWND owner, int x, int y, UINT flags) {
    if (menu_ == nullptr) return 0;
    const BOOL chosen = ::TrackPopupMenu(menu_, flags | TPM_RETURNCMD, x, y, 0, owner, nullptr);
    return static_cast<UINT>(chosen);
}

}  // namespace yorimemo
