#include "host/tray_icon_win32.h"

#include <utility>

#include "text/utf16.h"

namespace yorimemo {

namespace {

// Cut to the field, never inside a surrogate pair, and terminated.
template <std::size_t N>
void copyInto(wchar_t (&field)[N], std::wstring_view text) {
    const std::wstring_view kept = PrefixWithin(text, N - 1);
    kept.copy(field, kept.size());
    field[kept.size()] = L'\0';
}

}  // namespace

void TrayIcon::describe(HWND owner, UINT id, UINT callbackMessage, Icon image, const wchar_t* tip) {
    image_ = std::move(image);
    // The full record: balloons need the fields past the first version's 88 bytes.
    data_ = {};
    data_.cbSize = sizeof data_;
    data_.hWnd = owner;
    data_.uID = id;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.uCallbackMessage = callbackMessage;
    data_.hIcon = image_.get();
    copyInto(data_.szTip, tip);
    wanted_ = true;
}

bool TrayIcon::add() {
    finishAdd();
    if (!wanted_) return false;
    return landed(send(NIM_ADD, data_));
}

void TrayIcon::beginAdd() {
    finishAdd();
    if (!wanted_) return;
    addData_ = data_;
    adding_.reset(::CreateThread(nullptr, 0, &TrayIcon::runAdd, this, 0, nullptr));
    if (!adding_) add();
}

DWORD WINAPI TrayIcon::runAdd(void* self) {
    TrayIcon& icon = *static_cast<TrayIcon*>(self);
    icon.addAnswer_ = icon.shell_(NIM_ADD, &icon.addData_);
    return 0;
}

bool TrayIcon::finishAdd() {
    if (!adding_) return added_;
    ::WaitForSingleObject(adding_.get(), INFINITE);
    adding_.reset();
    return landed(addAnswer_ != FALSE);
}

bool TrayIcon::landed(bool taken) {
    added_ = taken;
    if (added_ && waiting_) {
        Balloon balloon = std::move(*waiting_);
        waiting_.reset();
        showBalloon(balloon.title, balloon.text, balloon.warning);
    }
    return added_;
}

void TrayIcon::remove() {
    finishAdd();
    wanted_ = false;
    if (!added_) return;
    send(NIM_DELETE, data_);
    added_ = false;
}

void TrayIcon::showBalloon(const std::wstring& title, const std::wstring& text, bool warning) {
    if (!added()) {
        waiting_ = Balloon{title, text, warning};
        return;
    }
    NOTIFYICONDATAW balloon = data_;
    balloon.uFlags = NIF_INFO;
    copyInto(balloon.szInfoTitle, title);
    copyInto(balloon.szInfo, text);
    balloon.dwInfoFlags = warning ? NIIF_WARNING : NIIF_INFO;
    send(NIM_MODIFY, balloon);
}

bool TrayIcon::send(DWORD message, const NOTIFYICONDATAW& data) {
    NOTIFYICONDATAW copy = data;
    return shell_(message, &copy) != FALSE;
}

}  // namespace yorimemo
