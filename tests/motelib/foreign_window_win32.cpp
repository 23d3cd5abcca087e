// Another program's window for the stacking tests: a visible popup that stays until the test
// ends this process.

#include <windows.h>

int main() {
    HWND window =
        CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"STATIC", L"", WS_POPUP | WS_VISIBLE,
                        80, 80, 200, 120, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (window == nullptr) return 1;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    return 0;
}
