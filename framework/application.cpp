#include "framework/application.h"

#include <windows.h>

namespace yorimemo {

namespace {
CApplication* theApplication = nullptr;
}  // namespace

CApplication::CApplication() {
    theApplication = this;
}

CApplication::~CApplication() {
    if (theApplication == this) theApplication = nullptr;
}

int CApplication::Run() {
    if (theApplication == nullptr || !theApplication->InitInstance()) return 0;
    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace yorimemo
