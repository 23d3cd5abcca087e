#include "tests/support/wait_win32.h"

namespace yorimemo::testing {

void pumpMessages(DWORD waitMs) {
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, waitMs, QS_ALLINPUT);
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

bool waitFor(const std::function<bool()>& condition, DWORD deadlineMs, DWORD pollMs) {
    const ULONGLONG deadline = ::GetTickCount64() + deadlineMs;
    while (!condition()) {
        if (::GetTickCount64() > deadline) return false;
        pumpMessages(pollMs);
    }
    return true;
}

}  // namespace yorimemo::testing
