#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "host/edit_note_dialog_win32.h"
#include "host/erase_note_dialog_win32.h"
#include "notes/text_codec_win32.h"
#include "res/resource.h"
#include "tests/support/dialog_driver_win32.h"

namespace yorimemo {
namespace {

using testing::Click;
using testing::ComboItems;
using testing::ComboSelection;
using testing::IsChecked;
using testing::ItemText;
using testing::PostKey;
using testing::RunDialog;
using testing::SetItemText;

// As the Shift-JIS file stores them, and as the dialog shows them.
const std::string kFirstLine = "\x88\xea\x8d\x73\x96\xda";   // 一行目
const std::string kSecondLine = "\x93\xf1\x8d\x73\x96\xda";  // 二行目
const std::string kTwoLines = kFirstLine + "\r\n" + kSecondLine;
const std::wstring kFirstLineShown = L"\u4E00\u884C\u76EE";
const std::wstring kSecondLineShown = L"\u4E8C\u884C\u76EE";
const std::wstring kTwoLinesShown = kFirstLineShown + L"\r\n" + kSecondLineShown;

constexpr int kSlot = 4;

// A desktop inside the test display, so that the window system leaves positions alone.
NoteTable TableWithNote() {
    NoteTable table;
    table.desktopRight = 1000;
    table.desktopBottom = 800;
    NoteSlot& note = table.slots[kSlot];
    note.moteId = 3;
    note.x = 40;
    note.y = 50;
    note.text = kTwoLines;
    note.fontSize = -3;
    note.textRed = 1;
    note.color = kMagenta;
    return table;
}

void ExpectUnchanged(const NoteSlot& note) {
    EXPECT_EQ(note.text, kTwoLines);
    EXPECT_EQ(note.fontSize, -3);
    EXPECT_EQ(note.textRed, 1);
    EXPECT_EQ(note.color, kMagenta);
}

TEST(EditNoteDialogTest, OpensWithTheSlotAndEnterOnDoneKeepsIt) {
    NoteTable table = TableWithNote();
    CEditNoteDlg dialog(table, kSlot, nullptr);
    const INT_PTR result = RunDialog(
        dialog, {[](HWND hwnd) {
            EXPECT_EQ(ItemText(hwnd, IDC_NOTE_TEXT), kTwoLinesShown);
            EXPECT_EQ(::SendDlgItemMessageA(hwnd, IDC_NOTE_TEXT, EM_GETLINECOUNT, 0, 0), 2);
            EXPECT_EQ(ItemText(hwnd, IDC_FONT_SIZE), L"-3");
            EXPECT_TRUE(IsChecked(hwnd, IDC_TEXT_RED));
            EXPECT_FALSE(IsChecked(hwnd, IDC_COLOR_CYAN));
            EXPECT_TRUE(IsChecked(hwnd, IDC_COLOR_MAGENTA));
            EXPECT_FALSE(IsChecked(hwnd, IDC_COLOR_YELLOW));
            // The focus starts on "完了", so Enter presses it.
            EXPECT_EQ(::GetFocus(), ::GetDlgItem(hwnd, IDOK));
            PostKey(::GetFocus(), VK_RETURN);
        }});
    EXPECT_EQ(result, IDOK);
    ExpectUnchanged(table.slots[kSlot]);
}

TEST(EditNoteDialogTest, EachColourTicksItsOwnRadioButton) {
    struct Case {
        std::int32_t color;
        bool cyan, magenta, yellow;
    };
    for (const Case c : {Case{0, true, false, false}, Case{2, false, false, true},
                         Case{7, false, false, false}, Case{-1, false, false, false}}) {
        NoteTable table = TableWithNote();
        table.slots[kSlot].color = static_cast<NoteColor>(c.color);
        table.slots[kSlot].textRed = 0;
        CEditNoteDlg dialog(table, kSlot, nullptr);
        RunDialog(dialog, {[&](HWND hwnd) {
                      EXPECT_FALSE(IsChecked(hwnd, IDC_TEXT_RED));
                      EXPECT_EQ(IsChecked(hwnd, IDC_COLOR_CYAN), c.cyan) << c.color;
                      EXPECT_EQ(IsChecked(hwnd, IDC_COLOR_MAGENTA), c.magenta) << c.color;
                      EXPECT_EQ(IsChecked(hwnd, IDC_COLOR_YELLOW), c.yellow) << c.color;
                      Click(hwnd, IDCANCEL);
                  }});
    }
}

TEST(EditNoteDialogTest, DoneWritesTheControlsIntoTheSlot) {
    NoteTable table = TableWithNote();
    CEditNoteDlg dialog(table, kSlot, nullptr);
    const INT_PTR result =
        RunDialog(dialog, {[](HWND hwnd) {
                      SetItemText(hwnd, IDC_NOTE_TEXT, L"abc\r\n" + kSecondLineShown);
                      SetItemText(hwnd, IDC_FONT_SIZE, L"-12");
                      Click(hwnd, IDC_TEXT_RED);
                      Click(hwnd, IDC_COLOR_CYAN);
                      EXPECT_FALSE(IsChecked(hwnd, IDC_COLOR_MAGENTA));
                      Click(hwnd, IDOK);
                  }});
    EXPECT_EQ(result, IDOK);
    const NoteSlot& note = table.slots[kSlot];
    EXPECT_EQ(note.text, "abc\r\n" + kSecondLine);
    EXPECT_EQ(note.fontSize, -12);
    EXPECT_EQ(note.textRed, 0);
    EXPECT_EQ(note.color, kCyan);
}

TEST(EditNoteDialogTest, FontSizeThatDoesNotConvertIsStoredAsZero) {
    for (const wchar_t* typed : {L"abc", L"", L"x12", L"99999999999"}) {
        NoteTable table = TableWithNote();
        CEditNoteDlg dialog(table, kSlot, nullptr);
        const INT_PTR result = RunDialog(dialog, {[&](HWND hwnd) {
                                             SetItemText(hwnd, IDC_FONT_SIZE, typed);
                                             Click(hwnd, IDOK);
                                         }});
        EXPECT_EQ(result, IDOK) << ::testing::PrintToString(typed);
        EXPECT_EQ(table.slots[kSlot].fontSize, 0) << ::testing::PrintToString(typed);
    }
}

TEST(EditNoteDialogTest, NoColourSelectedGivesYellow) {
    NoteTable table = TableWithNote();
    CEditNoteDlg dialog(table, kSlot, nullptr);
    RunDialog(dialog, {[](HWND hwnd) {
                  for (const int id : {IDC_COLOR_CYAN, IDC_COLOR_MAGENTA, IDC_COLOR_YELLOW}) {
                      ::CheckDlgButton(hwnd, id, BST_UNCHECKED);
                  }
                  Click(hwnd, IDOK);
              }});
    EXPECT_EQ(table.slots[kSlot].color, kYellow);
    EXPECT_EQ(table.slots[kSlot].textRed, 1);
}

TEST(EditNoteDialogTest, LongTextIsTakenWhole) {
    std::string longText;
    std::wstring longTextShown;
    for (int line = 0; longText.size() < 3000; ++line) {
        longText += std::to_string(line) + ' ' + kFirstLine + kSecondLine + "\r\n";
        longTextShown +=
            std::to_wstring(line) + L' ' + kFirstLineShown + kSecondLineShown + L"\r\n";
    }
    longText += "end";
    longTextShown += L"end";
    NoteTable table = TableWithNote();
    CEditNoteDlg dialog(table, kSlot, nullptr);
    RunDialog(dialog, {[&](HWND hwnd) {
                  SetItemText(hwnd, IDC_NOTE_TEXT, longTextShown);
                  Click(hwnd, IDOK);
              }});
    EXPECT_EQ(table.slots[kSlot].text, longText);
}

TEST(EditNoteDialogTest, EnterInTheTextBreaksTheLineAndEscapeDiscardsEverything) {
    NoteTable table = TableWithNote();
    CEditNoteDlg dialog(table, kSlot, nullptr);
    const INT_PTR result = RunDialog(
        dialog, {[](HWND hwnd) {
                     const HWND text = ::GetDlgItem(hwnd, IDC_NOTE_TEXT);
                     ::SetFocus(text);
                     ::SendMessageA(text, EM_SETSEL, 0, 0);
                     SetItemText(hwnd, IDC_FONT_SIZE, L"20");
                     PostKey(text, VK_RETURN);
                 },
                 [](HWND hwnd) {
                     EXPECT_TRUE(::IsWindowVisible(hwnd));
                     EXPECT_EQ(::SendDlgItemMessageA(hwnd, IDC_NOTE_TEXT, EM_GETLINECOUNT, 0, 0),
                               3);
                     EXPECT_EQ(ItemText(hwnd, IDC_NOTE_TEXT), L"\r\n" + kTwoLinesShown);
                     PostKey(::GetDlgItem(hwnd, IDC_NOTE_TEXT), VK_ESCAPE);
                 }});
    EXPECT_EQ(result, IDCANCEL);
    ExpectUnchanged(table.slots[kSlot]);
}

TEST(EditNoteDialogTest, CancelAndTheCloseBoxChangeNothing) {
    for (const bool closeBox : {false, true}) {
        NoteTable table = TableWithNote();
        CEditNoteDlg dialog(table, kSlot, nullptr);
        const INT_PTR result = RunDialog(dialog, {[&](HWND hwnd) {
                                             SetItemText(hwnd, IDC_NOTE_TEXT, L"changed");
                                             SetItemText(hwnd, IDC_FONT_SIZE, L"20");
                                             Click(hwnd, IDC_COLOR_YELLOW);
                                             if (closeBox) {
                                                 ::PostMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
                                             } else {
                                                 Click(hwnd, IDCANCEL);
                                             }
                                         }});
        EXPECT_EQ(result, IDCANCEL) << closeBox;
        ExpectUnchanged(table.slots[kSlot]);
    }
}

// The message box the edit dialog shows over itself, and what its texts say.
HWND OpenMessageBox() {
    return ::FindWindowW(L"#32770", L"yorimemo");
}

std::wstring StaticTexts(HWND window) {
    std::wstring texts;
    ::EnumChildWindows(
        window,
        [](HWND child, LPARAM param) -> BOOL {
            wchar_t className[16] = {};
            ::GetClassNameW(child, className, 16);
            if (::lstrcmpiW(className, L"Static") == 0) {
                wchar_t text[512] = {};
                ::GetWindowTextW(child, text, 512);
                *reinterpret_cast<std::wstring*>(param) += text;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&texts));
    return texts;
}

TEST(EditNoteDialogTest, TextTheFileCannotHoldIsRefusedByNameAndTheDialogStaysOpen) {
    // メモ, then an emoji and an accented letter that Shift-JIS lacks, the emoji twice.
    const std::wstring smile = {wchar_t(0xD83D), wchar_t(0xDE00)};
    const std::wstring typed = L"\u30E1\u30E2" + smile + L"\u00E9" + smile;
    NoteTable table = TableWithNote();
    CEditNoteDlg dialog(table, kSlot, nullptr);
    std::wstring message;
    const INT_PTR result =
        RunDialog(dialog, {[&](HWND hwnd) {
                               SetItemText(hwnd, IDC_NOTE_TEXT, typed);
                               SetItemText(hwnd, IDC_FONT_SIZE, L"20");
                               Click(hwnd, IDOK);  // returns once the message box is closed
                           },
                           [&](HWND) {
                               const HWND box = OpenMessageBox();
                               ASSERT_NE(box, nullptr) << "no message";
                               message = StaticTexts(box);
                               ::PostMessageW(box, WM_COMMAND, IDOK, 0);
                           },
                           [&](HWND hwnd) {
                               EXPECT_TRUE(::IsWindowVisible(hwnd));
                               EXPECT_EQ(OpenMessageBox(), nullptr);
                               EXPECT_EQ(ItemText(hwnd, IDC_NOTE_TEXT), typed);
                               Click(hwnd, IDCANCEL);
                           }});
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_NE(message.find(L"\u300C" + smile + L"\u300D\u300C\u00E9\u300D\n"), std::wstring::npos)
        << "each character once, in order";
    EXPECT_EQ(message.find(L"\u300C\u30E1\u300D"), std::wstring::npos);
    ExpectUnchanged(table.slots[kSlot]);

    // A UTF-8 file holds them all.
    table.encoding = TextEncoding::kUtf8;
    table.slots[kSlot].text = "a";
    CEditNoteDlg utf8Dialog(table, kSlot, nullptr);
    EXPECT_EQ(RunDialog(utf8Dialog, {[&](HWND hwnd) {
                            SetItemText(hwnd, IDC_NOTE_TEXT, typed);
                            Click(hwnd, IDOK);
                        }}),
              IDOK);
    EXPECT_EQ(table.slots[kSlot].text,
              "\xE3\x83\xA1\xE3\x83\xA2\xF0\x9F\x98\x80\xC3\xA9\xF0\x9F\x98\x80");
}

TEST(EditNoteDialogTest, TextTheUserLeftAloneKeepsItsStoredBytes) {
    // ≒ as NEC row 13 stores it (a round trip gives the JIS code) and a lone lead byte.
    const std::string stored = "\x87\x90" + kFirstLine + "\x81";
    NoteTable table = TableWithNote();
    table.slots[kSlot].text = stored;
    CEditNoteDlg dialog(table, kSlot, nullptr);
    RunDialog(dialog, {[](HWND hwnd) {
                  EXPECT_EQ(ItemText(hwnd, IDC_NOTE_TEXT).substr(0, 4),
                            L"\u2252" + kFirstLineShown);
                  SetItemText(hwnd, IDC_FONT_SIZE, L"11");
                  Click(hwnd, IDOK);
              }});
    EXPECT_EQ(table.slots[kSlot].text, stored);
    EXPECT_EQ(table.slots[kSlot].fontSize, 11);
}

TEST(EditNoteDialogTest, AFaceNotInstalledIsShownAndKeptAsStored) {
    // ≒ as NEC row 13 stores it: kept only if the stored bytes are.
    const std::string stored = "\x87\x90Gone";
    NoteTable table = TableWithNote();
    table.slots[kSlot].fontName = stored;
    std::vector<std::wstring> faces;
    CEditNoteDlg kept(table, kSlot, nullptr);
    RunDialog(kept, {[&](HWND hwnd) {
                  faces = ComboItems(hwnd, IDC_FONT_FACE);
                  EXPECT_EQ(ComboSelection(hwnd, IDC_FONT_FACE), 0);
                  Click(hwnd, IDOK);
              }});
    ASSERT_GE(faces.size(), 2u);
    EXPECT_EQ(faces[0], L"\u2252Gone");
    EXPECT_EQ(table.slots[kSlot].fontName, stored);
    // Every face offered can be stored in the Shift-JIS file as it is named.
    for (const std::wstring& face : faces) {
        std::string bytes;
        std::wstring unstorable;
        EXPECT_TRUE(EncodeText(face, TextEncoding::kShiftJis, bytes, unstorable));
        EXPECT_NE(face.substr(0, 1), L"@");
    }
}

TEST(EraseNoteDialogTest, YesConfirmsAndNoOrEscapeDoNot) {
    NoteTable table = TableWithNote();
    {
        CEraseNoteDlg dialog(table, kSlot, nullptr);
        EXPECT_EQ(RunDialog(dialog, {[](HWND hwnd) { Click(hwnd, IDOK); }}), IDOK);
    }
    {
        CEraseNoteDlg dialog(table, kSlot, nullptr);
        EXPECT_EQ(RunDialog(dialog, {[](HWND hwnd) { Click(hwnd, IDCANCEL); }}), IDCANCEL);
    }
    {
        CEraseNoteDlg dialog(table, kSlot, nullptr);
        EXPECT_EQ(RunDialog(dialog, {[](HWND) { PostKey(::GetFocus(), VK_ESCAPE); }}), IDCANCEL);
    }
    {
        // The focus starts on "はい".
        CEraseNoteDlg dialog(table, kSlot, nullptr);
        EXPECT_EQ(RunDialog(dialog, {[](HWND hwnd) {
                                EXPECT_EQ(::GetFocus(), ::GetDlgItem(hwnd, IDOK));
                                PostKey(::GetFocus(), VK_RETURN);
                            }}),
                  IDOK);
    }
    EXPECT_EQ(table.slots[kSlot].moteId, 3);
}

// Opens the dialog for a note shown at (x, y) and returns its window rectangle.
template <typename Dialog>
RECT OpenedAt(std::int32_t x, std::int32_t y) {
    NoteTable table = TableWithNote();
    // Stored where no screen is: the dialog follows the card as shown.
    table.slots[kSlot].x = 99999;
    table.slots[kSlot].y = 99999;
    table.slots[kSlot].shownX = x;
    table.slots[kSlot].shownY = y;
    Dialog dialog(table, kSlot, nullptr);
    RECT frame{};
    RunDialog(dialog, {[&](HWND hwnd) {
                  ::GetWindowRect(hwnd, &frame);
                  Click(hwnd, IDCANCEL);
              }});
    return frame;
}

template <typename Dialog>
void ExpectPlacedAtTheNote() {
    const RECT inside = OpenedAt<Dialog>(60, 70);
    EXPECT_EQ(inside.left, 60);
    EXPECT_EQ(inside.top, 70);
    const LONG width = inside.right - inside.left;
    const LONG height = inside.bottom - inside.top;
    EXPECT_GT(width, 100);
    EXPECT_GT(height, 50);

    const RECT negative = OpenedAt<Dialog>(-20, -30);
    EXPECT_EQ(negative.left, 0);
    EXPECT_EQ(negative.top, 0);

    const RECT corner = OpenedAt<Dialog>(900, 5000);
    EXPECT_EQ(corner.left, 1000 - width);
    EXPECT_EQ(corner.top, 800 - height);

    const RECT exact = OpenedAt<Dialog>(1000 - width, 800 - height);
    EXPECT_EQ(exact.left, 1000 - width);
    EXPECT_EQ(exact.top, 800 - height);
}

TEST(NoteDialogPlacementTest, EditDialogOpensAtTheNoteInsideTheDesktop) {
    ExpectPlacedAtTheNote<CEditNoteDlg>();
}

TEST(NoteDialogPlacementTest, EraseDialogOpensAtTheNoteInsideTheDesktop) {
    ExpectPlacedAtTheNote<CEraseNoteDlg>();
}

}  // namespace
}  // namespace yorimemo
