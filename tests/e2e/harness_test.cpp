// The harness itself against the real program: the pieces other end-to-end tests build on must
// see and drive what they claim to.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/harness_win32.h"

namespace yorimemo::e2e {
namespace {

constexpr char kEditCaption[] = "\x95\xD2\x8F\x57";  // "編集"
constexpr int kTextItem = 1000;
constexpr int kRedItem = 1002;

TEST(HarnessTest, LinuxCommandsReportTheirExitStatus) {
    if (unixPath("C:\\").empty()) GTEST_SKIP() << "needs Wine";
    EXPECT_EQ(runLinuxCommand("true"), 0);
    EXPECT_EQ(runLinuxCommand("exit 3"), 3);
    EXPECT_EQ(runLinuxCommand("contains \"quotes\""), -1);
}

TEST(HarnessTest, DrivesMenusEventsAndTheEditDialogOfTheRealProgram) {
    ProgramFolder folder(Library::Recording);
    folder.writeIni("[Husen1]\r\nID=0\r\nText=before\r\n");
    RunningProgram program(folder);
    ASSERT_NE(program.host(), nullptr);
    ASSERT_TRUE(waitFor([&] { return iniValue(folder.ini(), "Husen1", "TextRed") == "0"; }));

    program.openTrayMenu();
    EXPECT_TRUE(waitFor([&] { return program.popupMenu() != nullptr; }));
    EXPECT_TRUE(program.dismissMenu());
    EXPECT_EQ(program.popupMenu(), nullptr);

    // A double click stays inside the dialog, so it goes from another thread.
    program.sendEventNoWait(eventPayload("OnMoteLButtonDoubleClick", 0, 10, 10));
    const HWND edit = program.waitForDialog(kEditCaption);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(itemText(edit, kTextItem), "before");
    EXPECT_TRUE(setItemText(edit, kTextItem, "after\r\n\x95\x74\xE2\xB3"));
    EXPECT_FALSE(IsChecked(edit, kRedItem));
    Click(edit, kRedItem);
    EXPECT_TRUE(IsChecked(edit, kRedItem));
    EXPECT_TRUE(PressButton(edit, IDOK));

    EXPECT_TRUE(waitFor([&] { return iniValue(folder.ini(), "Husen1", "TextRed") == "1"; }));
    EXPECT_EQ(iniValue(folder.ini(), "Husen1", "Text"), "after\\n\x95\x74\xE2\xB3");
    // A synchronous event returns after its handling: the press is already recorded.
    ASSERT_TRUE(program.sendEvent(eventPayload("OnMoteLButtonDown", 1, 10, 10)));
    EXPECT_EQ(folder.callLog().back(), "_set_priority 1 1");
    EXPECT_TRUE(program.quit());
}

}  // namespace
}  // namespace yorimemo::e2e
