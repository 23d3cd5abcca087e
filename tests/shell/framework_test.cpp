#include <gtest/gtest.h>
#include <windows.h>

#include <stdexcept>
#include <string>

#include "framework/modal_dialog.h"
#include "framework/popup_menu.h"
#include "platform/handles_win32.h"
#include "res/resource.h"
#include "tests/support/dialog_driver_win32.h"

namespace yorimemo {
namespace {

using testing::PostKey;
using testing::RunDialog;

constexpr UINT kThrowingMessage = WM_APP + 1;

// Any template will do; the erase confirmation is small.
class ProbeDialog : public CModalDialog {
public:
    ProbeDialog() : CModalDialog(IDD_ERASE_NOTE, nullptr) {}

    int initCount = 0;
    HWND hwndAtInit = nullptr;

protected:
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_COPYDATA) return Answer(1);
        if (message == WM_QUERYENDSESSION) return Answer(TRUE);
        if (message == kThrowingMessage) throw std::runtime_error("handler failed");
        return CModalDialog::OnMessage(message, wParam, lParam);
    }

    BOOL OnInitDialog() override {
        ++initCount;
        hwndAtInit = hwnd();
        return CModalDialog::OnInitDialog();
    }
};

TEST(ModalDialogTest, MessagesReachTheObjectAndItsAnswersReachTheSender) {
    ProbeDialog dialog;
    EXPECT_EQ(dialog.hwnd(), nullptr);
    HWND seen = nullptr;
    const INT_PTR result = RunDialog(
        dialog, {[&](HWND hwnd) {
            seen = hwnd;
            EXPECT_EQ(dialog.hwnd(), hwnd);
            COPYDATASTRUCT data{0, 0, nullptr};
            EXPECT_EQ(::SendMessageA(hwnd, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)), 1);
            EXPECT_EQ(::SendMessageA(hwnd, WM_QUERYENDSESSION, 0, 0), TRUE);
            // A failing handler leaves the dialog running and answers as unhandled.
            EXPECT_EQ(::SendMessageA(hwnd, kThrowingMessage, 0, 0), 0);
            EXPECT_TRUE(::IsWindow(hwnd));
            PostKey(::GetFocus(), VK_RETURN);
        }});
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.initCount, 1);
    EXPECT_EQ(dialog.hwndAtInit, seen);
    EXPECT_FALSE(::IsWindow(seen));
}

TEST(ModalDialogTest, DefaultOkAndCancelEndTheDialog) {
    ProbeDialog ok;
    EXPECT_EQ(RunDialog(ok, {[](HWND hwnd) { ::PostMessageA(hwnd, WM_COMMAND, IDOK, 0); }}), IDOK);
    ProbeDialog cancel;
    EXPECT_EQ(RunDialog(cancel, {[](HWND hwnd) { ::PostMessageA(hwnd, WM_CLOSE, 0, 0); }}),
              IDCANCEL);
}

TEST(ModalDialogTest, MissingTemplateFailsToRun) {
    class Missing : public CModalDialog {
    public:
        Missing() : CModalDialog(4321, nullptr) {}
    } missing;
    EXPECT_EQ(missing.DoModal(), -1);
}

// A window that can own a menu while it is tracked.
class OwnerWindow {
public:
    OwnerWindow()
        : hwnd_(::CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 10, 10, 50, 50,
                                  nullptr, nullptr, nullptr, nullptr)) {}
    ~OwnerWindow() { ::DestroyWindow(hwnd_); }
    HWND get() const { return hwnd_; }

private:
    HWND hwnd_;
};

TEST(PopupMenuTest, BuildsItemsAndChecksThemByCommand) {
    HMENU handle = nullptr;
    {
        CPopupMenu menu;
        ASSERT_TRUE(menu);
        handle = menu.handle();
        EXPECT_TRUE(menu.AppendString(16, L"first"));
        EXPECT_TRUE(menu.AppendSeparator());
        EXPECT_TRUE(menu.AppendString(25, L"\u6B21"));  // 次
        EXPECT_EQ(::GetMenuItemCount(handle), 3);
        EXPECT_EQ(::GetMenuItemID(handle, 2), 25u);

        menu.CheckItem(25, true);
        EXPECT_TRUE(::GetMenuState(handle, 25, MF_BYCOMMAND) & MF_CHECKED);
        EXPECT_FALSE(::GetMenuState(handle, 16, MF_BYCOMMAND) & MF_CHECKED);
        EXPECT_TRUE(::GetMenuState(handle, 1, MF_BYPOSITION) & MF_SEPARATOR);
        menu.CheckItem(25, false);
        EXPECT_FALSE(::GetMenuState(handle, 25, MF_BYCOMMAND) & MF_CHECKED);
        menu.EnableItem(16, false);
        EXPECT_TRUE(::GetMenuState(handle, 16, MF_BYCOMMAND) & MF_GRAYED);
        EXPECT_FALSE(::GetMenuState(handle, 25, MF_BYCOMMAND) & MF_GRAYED);
        menu.EnableItem(16, true);
        EXPECT_FALSE(::GetMenuState(handle, 16, MF_BYCOMMAND) & MF_GRAYED);

        wchar_t text[16] = {};
        ::GetMenuStringW(handle, 25, text, 16, MF_BYCOMMAND);
        EXPECT_STREQ(text, L"\u6B21");
    }
    EXPECT_FALSE(::IsMenu(handle));
}

UINT_PTR menuTimer = 0;

void CALLBACK CloseMenu(HWND, UINT, UINT_PTR, DWORD) {
    ::KillTimer(nullptr, menuTimer);
    ::EndMenu();
}

TEST(PopupMenuTest, TrackReturnsTheChosenCommandOrZero) {
    OwnerWindow owner;
    ::SetForegroundWindow(owner.get());
    CPopupMenu menu;
    menu.AppendString(16, L"first");
    menu.AppendString(17, L"second");

    // Keys already queued are read by the menu's own loop: down twice, then Enter.
    for (const WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) PostKey(owner.get(), key);
    EXPECT_EQ(menu.Track(owner.get(), 20, 20), 17u);

    menuTimer = ::SetTimer(nullptr, 0, 50, CloseMenu);
    EXPECT_EQ(menu.Track(owner.get(), 20, 20), 0u);
}

TEST(ScopedHandleTest, ReleasesOnceAndHandsOwnershipOn) {
    const char* name = "yorimemo-shell-test-event";
    {
        KernelHandle event(::CreateEventA(nullptr, TRUE, FALSE, name));
        ASSERT_TRUE(event);
        KernelHandle moved(std::move(event));
        EXPECT_FALSE(event);
        EXPECT_TRUE(moved);
        event.reset();  // empty: nothing to close
        KernelHandle opened(::OpenEventA(SYNCHRONIZE, FALSE, name));
        EXPECT_TRUE(opened) << "the moved handle must still be open";
    }
    // Every handle is closed, so the named object is gone.
    EXPECT_EQ(::OpenEventA(SYNCHRONIZE, FALSE, name), nullptr);

    EXPECT_FALSE(KernelHandle(INVALID_HANDLE_VALUE));

    // A library nothing else in this process has loaded (the current common controls bring in
    // the image and theme libraries).
    const char* library = "sensapi.dll";
    ASSERT_EQ(::GetModuleHandleA(library), nullptr);
    {
        Module module(::LoadLibraryA(library));
        ASSERT_TRUE(module);
        EXPECT_NE(::GetModuleHandleA(library), nullptr);
    }
    EXPECT_EQ(::GetModuleHandleA(library), nullptr);

    const HANDLE raw = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    {
        KernelHandle kept(raw);
        EXPECT_EQ(kept.release(), raw);
    }
    DWORD flags = 0;
    EXPECT_TRUE(::GetHandleInformation(raw, &flags)) << "a released handle stays open";
    ::CloseHandle(raw);
}

}  // namespace
}  // namespace yorimemo
