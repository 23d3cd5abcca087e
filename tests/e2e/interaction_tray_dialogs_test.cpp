// The real program with the real mote.dll, driven like a user through the tray menu, the note
// menu and the two dialogs: what appears on the desktop and what reaches the settings file.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/harness_win32.h"
#include "tests/e2e/interaction_support_win32.h"
#include "tests/shell/run_value_win32.h"
#include "text/code_page_win32.h"
#include "text/shift_jis.h"

namespace yorimemo::e2e {
namespace {

// "付箋" / "メモ" and, for the edit, four lines "一", "二", "三", "四".
const std::string kTwoLines = std::string("\x95\x74\xE2\xB3") + "\\n" + "\x83\x81\x83\x82";
const std::string kFourLines =
    std::string("\x88\xEA") + "\r\n" + "\x93\xF1" + "\r\n" + "\x8E\x4F" + "\r\n" + "\x8E\x6C";
const std::string kFourLinesStored =
    std::string("\x88\xEA") + "\\n" + "\x93\xF1" + "\\n" + "\x8E\x4F" + "\\n" + "\x8E\x6C";

// Another program holding the settings file open, as a backup tool or an editor does.
class HeldFile {
public:
    HeldFile(const std::string& path, DWORD sharing)
        : handle_(::CreateFileA(path.c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING, 0,
                                nullptr)) {}
    ~HeldFile() { release(); }
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;

    bool held() const { return handle_ != INVALID_HANDLE_VALUE; }
    void release() {
        if (held()) ::CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE handle_;
};

class TrayAndDialogs : public ::testing::Test {
protected:
    // Starts the program on `ini` and waits until its notes are shown.
    void start(const std::string& ini, std::size_t notes) {
        folder_.writeIni(ini);
        program_ = std::make_unique<RunningProgram>(folder_);
        ASSERT_NE(program_->host(), nullptr);
        ASSERT_TRUE(waitFor([&] { return program_->motes().size() == notes; }));
        ASSERT_TRUE(program_->settle());
    }

    // A right click on the note as mote.dll reports it; the note menu opens afterwards.
    void openNoteMenu(int slot) {
        ASSERT_TRUE(
            program_->sendEvent(eventPayload("OnMoteRButtonUp", noteId(folder_, slot), 0, 0)));
        ASSERT_TRUE(waitFor([this] { return program_->popupMenu() != nullptr; }));
    }

    void createFromTray(char key) {
        program_->openTrayMenu();
        ASSERT_TRUE(waitFor([this] { return program_->popupMenu() != nullptr; }));
        ASSERT_TRUE(program_->chooseMenuKey(key));
    }

    ProgramFolder folder_{Library::Real};
    std::unique_ptr<RunningProgram> program_;
};

// Where the program puts today's backup of the file in `folder`, as it names it.
std::string todaysBackup(const ProgramFolder& folder) {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    char computer[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD length = sizeof computer;
    ::GetComputerNameA(computer, &length);
    char date[16] = {};
    std::snprintf(date, sizeof date, "%04u-%02u-%02u", now.wYear, now.wMonth, now.wDay);
    return folder.file("yorimemo-backup\\yorimemo-" + std::string(date) + "-" + computer + ".ini");
}

const std::string kKeptNote = "[Husen1]\r\nID=0\r\nPosX=40\r\nPosY=40\r\nText=kept\r\n";

TEST_F(TrayAndDialogs, TheTrayMenuCreatesACyanNoteAtTheCentreOfTheDesktop) {
    start("", 0);
    program_->openTrayMenu();
    ASSERT_TRUE(waitFor([this] { return program_->popupMenu() != nullptr; }));
    ASSERT_TRUE(program_->chooseMenuKey('c'));
    ASSERT_TRUE(waitFor([this] { return program_->motes().size() == 1; }));

    // Centred as shown and stored at 100 %; shown again from what is stored.
    const RECT desktop = desktopRect();
    const LONG x = unscaled((desktop.right - scaled(300)) / 2);
    const LONG y = unscaled((desktop.bottom - scaled(50)) / 2);
    const RECT card = program_->motes().front().rect;
    EXPECT_EQ(card.left, scaled(x));
    EXPECT_EQ(card.top, scaled(y));
    EXPECT_EQ(card.right - card.left, scaled(300));
    EXPECT_EQ(card.bottom - card.top, scaled(50));

    const std::string ini = folder_.ini();
    ASSERT_TRUE(waitFor([&] { return iniValue(ini, "Husen1", "ID") == "0"; }));
    EXPECT_EQ(iniValue(ini, "Husen1", "PosX"), std::to_string(x));
    EXPECT_EQ(iniValue(ini, "Husen1", "PosY"), std::to_string(y));
    EXPECT_EQ(iniValue(ini, "Husen1", "Type"), "0");
    EXPECT_EQ(iniValue(ini, "Husen1", "Width"), "300");
    EXPECT_EQ(iniValue(ini, "Husen1", "Text", "missing"), "");
    EXPECT_EQ(iniValue(ini, "Husen1", "FontName"), kDefaultFont);
    EXPECT_EQ(iniValue(ini, "Husen2", "ID", "missing"), "missing");
}

TEST_F(TrayAndDialogs, TheEditDialogOpensAtTheNoteFilledFromItAndDoneRedrawsIt) {
    NoteSpec note = noteAt(0, 200, 150, kTwoLines);
    note.width = 260;
    note.type = 1;
    note.fontSize = 12;
    note.red = 1;
    const std::string backupBefore = todaysBackup(folder_);  // the day may change meanwhile
    start(noteSection(note), 1);
    const MoteWindow before = program_->motes().front();

    openNoteMenu(0);
    ASSERT_TRUE(program_->chooseMenuKey('e'));
    const HWND dialog = program_->waitForDialog(kEditCaption);
    ASSERT_NE(dialog, nullptr);
    // At the card as shown.
    const RECT placed = windowRect(dialog);
    EXPECT_EQ(placed.left, scaled(200));
    EXPECT_EQ(placed.top, scaled(150));
    EXPECT_EQ(itemText(dialog, kTextField), "\x95\x74\xE2\xB3\r\n\x83\x81\x83\x82");
    EXPECT_EQ(itemText(dialog, kFontSizeField), "12");
    EXPECT_TRUE(IsChecked(dialog, kRedBox));
    EXPECT_FALSE(IsChecked(dialog, kCyanButton));
    EXPECT_TRUE(IsChecked(dialog, kMagentaButton));
    EXPECT_FALSE(IsChecked(dialog, kYellowButton));
    // The card is named by its text, the line break a blank.
    EXPECT_EQ(windowTitle(before.window), "\x95\x74\xE2\xB3 \x83\x81\x83\x82");

    // The installed faces with the note's own selected; another one chosen.
    const std::vector<std::wstring> faces = testing::ComboItems(dialog, kFontFaceList);
    ASSERT_GE(faces.size(), 2u);
    const int selected = testing::ComboSelection(dialog, kFontFaceList);
    ASSERT_GE(selected, 0);
    EXPECT_EQ(EncodeCodePage(faces[static_cast<std::size_t>(selected)], kShiftJisCodePage),
              kDefaultFont);
    for (const std::wstring& face : faces) EXPECT_NE(face.substr(0, 1), L"@");
    const int other = selected == 0 ? 1 : 0;
    ASSERT_TRUE(testing::SelectComboItem(dialog, kFontFaceList, other));
    const std::string chosenFace =
        EncodeCodePage(faces[static_cast<std::size_t>(other)], kShiftJisCodePage);

    ASSERT_TRUE(setItemText(dialog, kTextField, kFourLines));
    ASSERT_TRUE(PressButton(dialog, IDOK));
    const std::string ini = folder_.ini();
    ASSERT_TRUE(waitFor([&] { return iniValue(ini, "Husen1", "Text") == kFourLinesStored; }));
    // Four lines of 12-point text make the card taller than the two lines did.
    ASSERT_TRUE(waitFor([&] {
        const auto motes = program_->motes();
        return motes.size() == 1 && motes.front().rect.bottom - motes.front().rect.top >
                                        before.rect.bottom - before.rect.top;
    }));
    const RECT after = program_->motes().front().rect;
    EXPECT_EQ(after.left, scaled(200));
    EXPECT_EQ(after.top, scaled(150));
    EXPECT_EQ(after.right - after.left, scaled(260));
    EXPECT_EQ(iniValue(ini, "Husen1", "FontSize"), "12");
    EXPECT_EQ(iniValue(ini, "Husen1", "Type"), "1");
    EXPECT_EQ(iniValue(ini, "Husen1", "TextRed"), "1");
    EXPECT_EQ(iniValue(ini, "Husen1", "FontName"), chosenFace);
    EXPECT_EQ(windowTitle(program_->motes().front().window), "\x88\xEA \x93\xF1 \x8E\x4F \x8E\x6C");

    // After the run's first change, the backup folder holds today's copy of the file as the run
    // found it.
    const std::string backup = fileExists(backupBefore) ? backupBefore : todaysBackup(folder_);
    EXPECT_EQ(readFileBytes(backup), noteSection(note));
}

TEST_F(TrayAndDialogs, EraseAsksFirstNoKeepsTheNoteAndYesRemovesIt) {
    NoteSpec first = noteAt(0, 100, 100, "first");
    NoteSpec second = noteAt(1, 600, 400, "second");
    second.type = 2;
    start(noteSection(first) + noteSection(second), 2);
    const std::string started = folder_.readIni();

    openNoteMenu(1);
    ASSERT_TRUE(program_->chooseMenuKey('d'));
    HWND dialog = program_->waitForDialog(kEraseCaption);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(windowRect(dialog).left, 600);
    EXPECT_EQ(windowRect(dialog).top, 400);
    ASSERT_TRUE(PressButton(dialog, IDCANCEL));
    ASSERT_TRUE(program_->settle());
    EXPECT_EQ(program_->motes().size(), 2u);
    EXPECT_EQ(folder_.readIni(), started);

    openNoteMenu(1);
    ASSERT_TRUE(program_->chooseMenuKey('d'));
    dialog = program_->waitForDialog(kEraseCaption);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(PressButton(dialog, IDOK));
    ASSERT_TRUE(waitFor([this] { return program_->motes().size() == 1; }));
    EXPECT_TRUE(moteAt(*program_, 100, 100).has_value());
    ASSERT_TRUE(
        waitFor([this] { return folder_.readIni().find("[Husen2]") == std::string::npos; }));
    EXPECT_EQ(iniValue(folder_.ini(), "Husen1", "Text"), "first");
}

TEST_F(TrayAndDialogs, AlwaysOnTopSwitchesTheNotesAndIsStoredAsOnThenOff) {
    NoteSpec note = noteAt(0, 300, 300);
    start("[System]\r\nFloating=Off\r\n" + noteSection(note), 1);
    auto topmost = [this] {
        const auto motes = program_->motes();
        return motes.size() == 1 &&
               (::GetWindowLongA(motes.front().window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    };
    EXPECT_FALSE(topmost());

    program_->openTrayMenu();
    ASSERT_TRUE(program_->chooseMenuKey('t'));
    ASSERT_TRUE(waitFor([&] { return iniValue(folder_.ini(), "System", "Floating") == "On"; }));
    EXPECT_TRUE(waitFor(topmost));

    program_->openTrayMenu();
    ASSERT_TRUE(program_->chooseMenuKey('t'));
    ASSERT_TRUE(waitFor([&] { return iniValue(folder_.ini(), "System", "Floating") == "Off"; }));
    EXPECT_TRUE(waitFor([&] { return !topmost(); }));
}

TEST_F(TrayAndDialogs, HideAllUndoEraseAndStartAtLogOnFromTheTrayMenu) {
    NoteSpec first = noteAt(0, 100, 100, "first");
    NoteSpec second = noteAt(1, 600, 400, kTwoLines);
    second.width = 260;
    second.type = 2;
    second.fontSize = 12;
    second.red = 1;
    start(noteSection(first) + noteSection(second), 2);
    const std::string started = folder_.readIni();
    const std::optional<MoteWindow> before = moteAt(*program_, 600, 400);
    ASSERT_TRUE(before.has_value());

    program_->openTrayMenu();
    ASSERT_TRUE(program_->chooseMenuKey('h'));
    ASSERT_TRUE(waitFor([this] { return program_->motes().empty(); }));
    program_->openTrayMenu();
    ASSERT_TRUE(program_->chooseMenuKey('h'));
    ASSERT_TRUE(waitFor([this] { return program_->motes().size() == 2; }));
    EXPECT_EQ(folder_.readIni(), started) << "hiding is not stored";

    openNoteMenu(1);
    ASSERT_TRUE(program_->chooseMenuKey('d'));
    const HWND dialog = program_->waitForDialog(kEraseCaption);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(PressButton(dialog, IDOK));
    ASSERT_TRUE(waitFor([this] { return program_->motes().size() == 1; }));
    const std::string ini = folder_.ini();
    ASSERT_TRUE(waitFor([&] { return iniValue(ini, "Husen2", "ID", "none") == "none"; }));
    const std::string erased = folder_.readIni();
    const std::size_t copy = erased.find("[Erased");
    ASSERT_NE(copy, std::string::npos) << erased;
    EXPECT_NE(erased.find("Text=" + kTwoLines, copy), std::string::npos) << erased;
    EXPECT_NE(erased.find("Slot=2", copy), std::string::npos) << erased;

    // The erase outlives the run: a new start brings it back.
    ASSERT_TRUE(program_->quit());
    program_ = std::make_unique<RunningProgram>(folder_);
    ASSERT_NE(program_->host(), nullptr);
    ASSERT_TRUE(waitFor([this] { return program_->motes().size() == 1; }));
    ASSERT_TRUE(program_->settle());
    program_->openTrayMenu();
    ASSERT_TRUE(program_->chooseMenuKey('u'));
    ASSERT_TRUE(waitFor([this] { return program_->motes().size() == 2; }));
    const std::optional<MoteWindow> back = moteAt(*program_, 600, 400);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->rect.right - back->rect.left, 260);
    EXPECT_EQ(back->rect.bottom - back->rect.top, before->rect.bottom - before->rect.top);
    ASSERT_TRUE(waitFor([&] { return iniValue(ini, "Husen2", "Text") == kTwoLines; }));
    EXPECT_EQ(iniValue(ini, "Husen2", "PosX"), "600");
    EXPECT_EQ(iniValue(ini, "Husen2", "PosY"), "400");
    EXPECT_EQ(iniValue(ini, "Husen2", "Width"), "260");
    EXPECT_EQ(iniValue(ini, "Husen2", "Type"), "2");
    EXPECT_EQ(iniValue(ini, "Husen2", "FontSize"), "12");
    EXPECT_EQ(iniValue(ini, "Husen2", "TextRed"), "1");
    EXPECT_GT(std::stoi(iniValue(ini, "Husen2", "Priority")),
              std::stoi(iniValue(ini, "Husen1", "Priority")));
    EXPECT_EQ(folder_.readIni().find("[Erased"), std::string::npos) << "in one place only";

    const testing::SavedRunValue restore;
    testing::DeleteRunValue();
    const std::string quoted = "\"" + folder_.exe() + "\"";
    program_->openTrayMenu();
    ASSERT_TRUE(program_->chooseMenuKey('w'));
    ASSERT_TRUE(waitFor([&] {
        return ::lstrcmpiA(testing::RunValueText().c_str(), quoted.c_str()) == 0;
    })) << testing::RunValueText();
    program_->openTrayMenu();
    ASSERT_TRUE(program_->chooseMenuKey('w'));
    EXPECT_TRUE(waitFor([] { return testing::RunValueText() == "(none)"; }));
}

TEST_F(TrayAndDialogs, ASecondInstanceEndsAtOnceAndQuitLeavesTheFileAsItWas) {
    NoteSpec note = noteAt(0, 400, 250, kTwoLines);
    start(noteSection(note), 1);
    const std::string started = folder_.readIni();

    RunningProgram second(folder_);
    ASSERT_TRUE(second.waitForExit());
    EXPECT_TRUE(program_->running());
    EXPECT_EQ(program_->motes().size(), 1u);

    ASSERT_TRUE(program_->quit());
    EXPECT_EQ(folder_.readIni(), started);
    EXPECT_EQ(iniValue(folder_.ini(), "Husen1", "Text"), kTwoLines);
}

TEST_F(TrayAndDialogs, AFileHeldAtStartIsReadWhenLetGoAndNoStoredNoteIsReplaced) {
    folder_.writeIni(kKeptNote);
    HeldFile other(folder_.ini(), 0);
    ASSERT_TRUE(other.held());
    program_ = std::make_unique<RunningProgram>(folder_);
    ASSERT_NE(program_->host(), nullptr);
    createFromTray('m');
    ASSERT_TRUE(waitFor([this] { return program_->motes().size() == 1; }));
    ASSERT_TRUE(program_->settle());
    EXPECT_TRUE(program_->running());

    other.release();
    ASSERT_TRUE(waitFor([this] { return program_->motes().size() == 2; })) << "the stored note";
    const std::string ini = folder_.ini();
    ASSERT_TRUE(waitFor([&] { return iniValue(ini, "Husen2", "Type") == "1"; }));
    EXPECT_EQ(iniValue(ini, "Husen1", "Text"), "kept");
    createFromTray('y');
    ASSERT_TRUE(waitFor([&] { return iniValue(ini, "Husen3", "Type") == "2"; }));
    EXPECT_EQ(iniValue(ini, "Husen1", "Text"), "kept");
    EXPECT_TRUE(program_->quit());
}

TEST_F(TrayAndDialogs, ChangesMadeWhileTheFileIsHeldLandWhenLetGoAndQuitAsksMeanwhile) {
    start(kKeptNote, 1);
    const std::string ini = folder_.ini();
    const std::string before = readFileBytes(ini);
    // Reading and writing shared, deleting not: the new file cannot be renamed over it.
    HeldFile other(ini, FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_TRUE(other.held());
    createFromTray('c');
    ASSERT_TRUE(program_->sendEvent(eventPayload("OnMoteLButtonDown", noteId(folder_, 0), 50, 50)));
    ASSERT_TRUE(program_->sendEvent(eventPayload("OnMoteLButtonUp", noteId(folder_, 0), 50, 50)));
    ASSERT_TRUE(program_->settle());
    EXPECT_EQ(readFileBytes(ini), before);

    program_->openTrayMenu();
    ASSERT_TRUE(program_->chooseMenuKey('q'));
    const HWND question = program_->waitForDialog("yorimemo");
    ASSERT_NE(question, nullptr) << "quitting with unsaved changes asks first";
    ASSERT_TRUE(PressButton(question, IDNO));
    ASSERT_TRUE(program_->settle());
    EXPECT_TRUE(program_->running());

    other.release();
    ASSERT_TRUE(waitFor([&] { return iniValue(ini, "Husen2", "Type") == "0"; }));
    // Created with priority 1, then the press raised the stored note to 2: both landed.
    EXPECT_EQ(iniValue(ini, "Husen2", "Priority"), "1");
    EXPECT_EQ(iniValue(ini, "Husen1", "Priority"), "2");
    EXPECT_EQ(iniValue(ini, "Husen1", "Text"), "kept");
    EXPECT_TRUE(program_->quit()) << "nothing is held any more, so nothing is asked";
}

// A window of this test in front while it types: the key releases that follow a shortcut then
// reach this test rather than the program, where they would wait behind the next posted message
// and close the menu it opens.
class WindowInFront {
public:
    WindowInFront()
        : window_(::CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP | WS_VISIBLE, -50,
                                    -50, 1, 1, nullptr, nullptr, nullptr, nullptr)) {
        ::SetForegroundWindow(window_);
    }
    ~WindowInFront() { ::DestroyWindow(window_); }
    WindowInFront(const WindowInFront&) = delete;
    WindowInFront& operator=(const WindowInFront&) = delete;

    bool inFront() const { return window_ != nullptr && ::GetForegroundWindow() == window_; }

private:
    HWND window_;
};

void pressNoteKey() {
    std::vector<INPUT> keys;
    for (const WORD key : {WORD{VK_CONTROL}, WORD{VK_MENU}, WORD{'Y'}}) {
        INPUT down{};
        down.type = INPUT_KEYBOARD;
        down.ki.wVk = key;
        keys.push_back(down);
    }
    for (std::size_t i = 3; i-- > 0;) {
        INPUT up = keys[i];
        up.ki.dwFlags = KEYEVENTF_KEYUP;
        keys.push_back(up);
    }
    ::SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
}

TEST_F(TrayAndDialogs, TheNoteKeyOpensANewYellowNoteUnlessAnotherProgramHoldsIt) {
    const std::string ini = "[System]\r\nHotKey=On\r\n";
    {
        // Another program of the session holds the key first: the key stays its own, and the
        // program leaves the stored setting as it is (its balloon is read in-process in the host
        // window's tests: another process cannot read it here).
        ASSERT_TRUE(::RegisterHotKey(nullptr, 1, MOD_CONTROL | MOD_ALT | MOD_NOREPEAT, 'Y'));
        start(ini, 0);
        const WindowInFront front;
        ASSERT_TRUE(front.inFront());
        pressNoteKey();
        MSG message{};
        EXPECT_TRUE(waitFor([&] {
            return ::PeekMessageW(&message, nullptr, WM_HOTKEY, WM_HOTKEY, PM_REMOVE) != FALSE;
        }));
        EXPECT_EQ(program_->dialog(kEditCaption), nullptr);
        ::UnregisterHotKey(nullptr, 1);
        ASSERT_TRUE(program_->quit());
        EXPECT_EQ(iniValue(folder_.ini(), "System", "HotKey"), "On");
        EXPECT_EQ(iniValue(folder_.ini(), "Husen1", "ID", "(none)"), "(none)");
    }

    start(ini, 0);
    pressNoteKey();
    const HWND dialog = program_->waitForDialog(kEditCaption);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(waitFor([&] { return program_->motes().size() == 1; }));
    EXPECT_EQ(iniValue(folder_.ini(), "Husen1", "Type"), "2");
    // In the middle of the (only) monitor's work area.
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const RECT card = program_->motes().front().rect;
    EXPECT_LE(std::abs((card.left + card.right) / 2 - (work.left + work.right) / 2), 1);
    EXPECT_TRUE(PressButton(dialog, IDCANCEL));
}

}  // namespace
}  // namespace yorimemo::e2e
