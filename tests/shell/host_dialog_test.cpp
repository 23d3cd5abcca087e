#include <gtest/gtest.h>
#include <windows.h>

#include "host/host_dialog_win32.h"
#include "tests/support/dialog_driver_win32.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

namespace yorimemo {
namespace {

using testing::PostKey;
using testing::RunDialog;
using testing::TempFolder;

constexpr INT_PTR kEndedByTest = 42;

TEST(HostDialogTest, ParkedOffScreenAndDeafToEveryWayOfClosing) {
    TempFolder folder;
    CHostDlg host(testing::Wide(folder.path()), testing::Wide(folder.file("yorimemo.ini")),
                  nullptr);
    const INT_PTR result =
        RunDialog(host, {[](HWND hwnd) {
                             RECT frame{};
                             ::GetWindowRect(hwnd, &frame);
                             EXPECT_EQ(frame.left, -100);
                             EXPECT_EQ(frame.top, -100);
                             // Still the template's few pixels, so nothing of it is on the screen.
                             EXPECT_LE(frame.right, 0);
                             EXPECT_LE(frame.bottom, 0);
                             EXPECT_GT(frame.right, frame.left);
                             EXPECT_TRUE(::GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
                             EXPECT_FALSE(::GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CAPTION);

                             ::SetForegroundWindow(hwnd);
                             ::SetFocus(hwnd);
                             PostKey(hwnd, VK_RETURN);
                             PostKey(hwnd, VK_ESCAPE);
                             ::PostMessageA(hwnd, WM_COMMAND, IDOK, 0);
                             ::PostMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
                             ::PostMessageA(hwnd, WM_CLOSE, 0, 0);
                             ::PostMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
                         },
                         [](HWND hwnd) {
                             EXPECT_TRUE(::IsWindowVisible(hwnd)) << "the host ended";
                             ::EndDialog(hwnd, kEndedByTest);
                         }});
    EXPECT_EQ(result, kEndedByTest);
}

TEST(HostDialogTest, LoadsTheSettingsFileAtStart) {
    TempFolder folder;
    const std::string ini = folder.file("yorimemo.ini");
    testing::writeFileBytes(
        ini,
        "[System]\r\nFloating=On\r\n"
        "[Husen3]\r\nID=7\r\nPosX=123\r\nPosY=-45\r\nText=a\\nb\r\nTextRed=1\r\n");
    CHostDlg host(testing::Wide(folder.path()), testing::Wide(ini), nullptr);
    RunDialog(host, {[](HWND hwnd) { ::EndDialog(hwnd, kEndedByTest); }});

    const NoteTable& table = host.table();
    EXPECT_EQ(table.floating, 1);
    const NoteSlot& note = table.slots[2];
    EXPECT_TRUE(note.inUse());
    EXPECT_EQ(note.x, 123);
    EXPECT_EQ(note.y, -45);
    EXPECT_EQ(note.text, "a\r\nb");
    EXPECT_EQ(note.textRed, 1);
    EXPECT_FALSE(table.slots[0].inUse());
}

TEST(HostDialogTest, StartsWithoutASettingsFileAndCreatesNone) {
    TempFolder folder;
    const std::string ini = folder.file("yorimemo.ini");
    CHostDlg host(testing::Wide(folder.path()), testing::Wide(ini), nullptr);
    RunDialog(host, {[](HWND hwnd) { ::EndDialog(hwnd, kEndedByTest); }});
    EXPECT_FALSE(testing::fileExists(ini));
    EXPECT_EQ(host.table().defaultWidth, 300);
}

}  // namespace
}  // namespace yorimemo
