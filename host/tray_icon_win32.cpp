#include "host/tray_icon_win32.h"

#include <cstdio>
#include <utility>

namespace yorimemo {

void TrayIcon::describe(HWND owner, UINT id, UINT callbackMessage, CIconHandle image,
                        const char* tip) {
    image_ = std::move(image);
    // The full record: balloons need the fields past the first version's 88 bytes.
    data_ = {};
    data_.cbSize = sizeof data_;
    data_.hWnd = owner;
    data_.uID = id;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.uCallbackMessage = callbackMessage;
    data_.hIcon = image_.get();
    std::snprintf(data_.szTip, sizeof data_.szTip, "%s", tip);
    wanted_ = true;
}

bool TrayIcon::add() {
    if (!wanted_) return false;
    added_ = send(NIM_ADD, data_);
    if (added_ && waiting_) {
        Balloon balloon = std::move(*waiting_);
        waiting_.reset();
        showBalloon(balloon.title, balloon.text, balloon.warning);
    }
    return added_;
}

void TrayIcon::remove() {
    wanted_ = false;
    if (!added_) return;
    send(NIM_DELETE, data_);
    added_ = false;
}

void TrayIcon::showBalloon(const std::string& title, const std::string& text, bool warning) {
    if (!added_) {
        waiting_ = Balloon{title, text, warning};
        return;
    }
    NOTIFYICONDATAA balloon = data_;
    balloon.uFlags = NIF_INFO;
    std::snprintf(balloon.szInfoTitle, sizeof balloon.szInfoTitle, "%s", title.c_str());
    std::snprintf(balloon.szInfo, sizeof balloon.szInfo, "%s", text.c_str());
    balloon.dwInfoFlags = warning ? NIIF_WARNING : NIIF_INFO;
    send(NIM_MODIFY, balloon);
}

bool TrayIcon::send(DWORD message, const NOTIFYICONDATAA& data) {
    NOTIFYICONDATAA copy = data;
    return shell_(message, &copy) != FALSE;
}

}  // namespace yorimemo
