// The real program with the real mote.dll under real pointer input (xdotool on the X server):
// dragging, raising, right and double clicks on the cards, checked on the screen, on the note
// windows and in the settings file. The screenshots stay as artefacts.
#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/harness_win32.h"
#include "tests/e2e/interaction_support_win32.h"

namespace yorimemo::e2e {
namespace {

std::string point(LONG x, LONG y) {
    return std::to_string(x) + " " + std::to_string(y);
}

bool sameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

RECT offset(RECT rect, LONG dx, LONG dy) {
    ::OffsetRect(&rect, dx, dy);
    return rect;
}

class PointerTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (unixPath("C:\\").empty()) GTEST_SKIP() << "needs Wine and xdotool";
        // A test that failed halfway may have left a button down.
        ASSERT_EQ(xdotool("mouseup 1 mouseup 3 mousemove 5 5"), 0);
    }

    void start(const std::string& ini, std::size_t notes) {
        folder_.writeIni(ini);
        program_ = std::make_unique<RunningProgram>(folder_);
        ASSERT_NE(program_->host(), nullptr);
        ASSERT_TRUE(waitFor([&] { return program_->motes().size() == notes; }));
        ASSERT_TRUE(program_->settle());
    }

    // Moves the X pointer and waits until Windows sees it there.
    static bool pointTo(LONG x, LONG y) {
        if (xdotool("mousemove " + point(x, y)) != 0) return false;
        return waitFor([&] {
            POINT now{};
            ::GetCursorPos(&now);
            return now.x == x && now.y == y;
        });
    }

    HWND windowAt(LONG left, LONG top) {
        const auto mote = moteAt(*program_, left, top);
        return mote ? mote->window : nullptr;
    }

    ProgramFolder folder_{Library::Real};
    std::unique_ptr<RunningProgram> program_;
};

TEST_F(PointerTest, ADragMovesTheCardWithThePointerAndStoresThePositionOnRelease) {
    NoteSpec note = noteAt(0, 300, 250, "drag me");
    start(noteSection(note), 1);
    // At another scale the card shows at the stored place scaled; the pointer moves in screen
    // pixels and the release stores them back at 100 %.
    const HWND card = windowAt(scaled(300), scaled(250));
    ASSERT_NE(card, nullptr);
    const RECT startRect = windowRect(card);
    const std::string ini = folder_.ini();
    const LONG pressX = startRect.left + 50;
    const LONG pressY = startRect.top + 20;

    ASSERT_TRUE(pointTo(pressX, pressY));
    ASSERT_EQ(xdotool("mousedown 1"), 0);
    // The press raises the note: its new priority is written at once.
    ASSERT_TRUE(waitFor([&] { return iniValue(ini, "Husen1", "Priority") == "1"; }));
    const std::string pressed = folder_.readIni();

    constexpr int kSteps = 5;
    constexpr LONG kStepX = 24;
    constexpr LONG kStepY = 9;
    std::vector<ULONGLONG> lags;
    for (int step = 1; step <= kSteps; ++step) {
        ASSERT_EQ(xdotool("mousemove " + point(pressX + step * kStepX, pressY + step * kStepY)), 0);
        const ULONGLONG moved = ::GetTickCount64();
        // The card follows before the pointer takes its next step.
        const RECT expected = offset(startRect, step * kStepX, step * kStepY);
        ASSERT_TRUE(waitFor([&] { return sameRect(windowRect(card), expected); }))
            << "step " << step;
        lags.push_back(::GetTickCount64() - moved);
        // Moving writes nothing; only the release stores the position.
        EXPECT_EQ(folder_.readIni(), pressed) << "step " << step;
    }
    for (std::size_t i = 0; i < lags.size(); ++i) {
        std::printf("drag step %zu: card in place %llu ms after xdotool returned\n", i + 1,
                    lags[i]);
    }

    const auto shot = Screenshot::take("interaction-drag");
    ASSERT_TRUE(shot.has_value());
    const RECT moved = offset(startRect, 120, 45);
    EXPECT_EQ(shot->pixel(moved.left + 2, moved.bottom - 3), kCyanFill);
    EXPECT_EQ(shot->pixel(moved.right - 3, moved.bottom - 3), kCyanFill);
    // Where the card was and no longer is, nothing of it is left.
    EXPECT_EQ(shot->count({startRect.left, startRect.top, moved.left, startRect.bottom}, kCyanFill),
              0);

    ASSERT_EQ(xdotool("mouseup 1"), 0);
    // 120 and 45 screen pixels; at 150 % that is 80 and 30.
    const std::string storedX = std::to_string(unscaled(moved.left));
    const std::string storedY = std::to_string(unscaled(moved.top));
    EXPECT_EQ(storedX, std::to_string(300 + unscaled(120)));
    ASSERT_TRUE(waitFor([&] {
        return iniValue(ini, "Husen1", "PosX") == storedX &&
               iniValue(ini, "Husen1", "PosY") == storedY;
    })) << storedX
        << ", " << storedY;
    EXPECT_TRUE(sameRect(windowRect(card), moved));
    EXPECT_EQ(iniValue(ini, "Husen1", "Priority"), "1");
}

TEST_F(PointerTest, ADragOnTheRightEdgeSetsTheWidthAndOneInTheMiddleStillMoves) {
    std::string text;
    for (int line = 0; line < 5; ++line) text += "a note whose text wraps as its card narrows ";
    // Taller than the least height, so that the height follows the wrapping.
    start(noteSection(noteAt(0, 300, 250, text)), 1);
    const HWND card = windowAt(scaled(300), scaled(250));
    ASSERT_NE(card, nullptr);
    const RECT startRect = windowRect(card);
    const std::string ini = folder_.ini();

    // Two pixels in from the right edge: on the handle at any scale.
    ASSERT_TRUE(pointTo(startRect.right - 2, startRect.top + 20));
    ASSERT_EQ(xdotool("mousedown 1"), 0);
    for (const LONG dx : {30L, 60L, -90L}) {
        ASSERT_TRUE(pointTo(startRect.right - 2 + dx, startRect.top + 20));
        // The same window follows, rebuilt to the new width, in one drag.
        ASSERT_TRUE(waitFor([&] {
            const RECT now = windowRect(card);
            return now.right - now.left == startRect.right - startRect.left + dx;
        })) << dx;
    }
    ASSERT_TRUE(program_->settle());
    EXPECT_EQ(iniValue(ini, "Husen1", "Width"), "300") << "nothing stored before the release";
    const RECT narrowed = windowRect(card);
    EXPECT_GT(narrowed.bottom - narrowed.top, startRect.bottom - startRect.top) << "re-wrapped";
    ASSERT_EQ(xdotool("mouseup 1"), 0);
    const std::string width = std::to_string(unscaled(narrowed.right - narrowed.left));
    EXPECT_EQ(width, std::to_string(300 - unscaled(90)));
    ASSERT_TRUE(waitFor([&] { return iniValue(ini, "Husen1", "Width") == width; }));
    EXPECT_EQ(iniValue(ini, "Husen1", "PosX"), "300");
    EXPECT_EQ(windowRect(card).left, startRect.left);

    ASSERT_TRUE(pointTo(startRect.left + 30, startRect.top + 20));
    ASSERT_EQ(xdotool("mousedown 1"), 0);
    ASSERT_TRUE(pointTo(startRect.left + 90, startRect.top + 50));
    ASSERT_TRUE(waitFor([&] { return windowRect(card).left == startRect.left + 60; }));
    ASSERT_EQ(xdotool("mouseup 1"), 0);
    ASSERT_TRUE(waitFor(
        [&] { return iniValue(ini, "Husen1", "PosX") == std::to_string(300 + unscaled(60)); }));
    EXPECT_EQ(iniValue(ini, "Husen1", "Width"), width);
    EXPECT_EQ(windowRect(card).right - windowRect(card).left, narrowed.right - narrowed.left);
}

TEST_F(PointerTest, PressingTheCardBehindBringsItInFront) {
    NoteSpec front = noteAt(0, 300, 300);
    front.priority = 5;
    NoteSpec behind = noteAt(1, 400, 330);
    behind.type = 2;
    behind.priority = 2;
    start(noteSection(front) + noteSection(behind), 2);
    // Both cards are empty, so the shared part shows one fill only.
    const RECT overlap{400, 331, 600, 350};
    const int area = (overlap.right - overlap.left) * (overlap.bottom - overlap.top);

    const auto before = Screenshot::take("interaction-raise-before");
    ASSERT_TRUE(before.has_value());
    EXPECT_EQ(before->count(overlap, kCyanFill), area);

    ASSERT_TRUE(pointTo(650, 365));
    ASSERT_EQ(xdotool("click 1"), 0);
    // Compacted to 1 and 0 at start, so the press hands out 2.
    ASSERT_TRUE(waitFor([&] { return iniValue(folder_.ini(), "Husen2", "Priority") == "2"; }));
    EXPECT_EQ(iniValue(folder_.ini(), "Husen1", "Priority"), "1");

    std::optional<Screenshot> after;
    EXPECT_TRUE(waitFor([&] {
        after = Screenshot::take("interaction-raise-after");
        return after && after->count(overlap, kYellowFill) == area;
    }));
}

// The start shows every stored card at once: what the screen shows follows the priorities, not
// the slots, where the cards overlap.
TEST_F(PointerTest, CardsStoredOutOfSlotOrderStartStackedByPriority) {
    NoteSpec middle = noteAt(0, 100, 300);
    middle.priority = 1;
    NoteSpec front = noteAt(1, 380, 345);
    front.type = 1;
    front.priority = 2;
    NoteSpec back = noteAt(2, 300, 330);
    back.type = 2;
    start(noteSection(middle) + noteSection(front) + noteSection(back), 3);

    const RECT middleOverBack{300, 331, 380, 350};
    const RECT frontOverAll{380, 346, 400, 350};
    const RECT frontOverBack{400, 351, 600, 380};
    const auto area = [](const RECT& rect) {
        return (rect.right - rect.left) * (rect.bottom - rect.top);
    };
    std::optional<Screenshot> shot;
    EXPECT_TRUE(waitFor([&] {
        shot = Screenshot::take("interaction-start-stacked");
        return shot && shot->count(middleOverBack, kCyanFill) == area(middleOverBack) &&
               shot->count(frontOverAll, kMagentaFill) == area(frontOverAll) &&
               shot->count(frontOverBack, kMagentaFill) == area(frontOverBack);
    }));
}

TEST_F(PointerTest, ARightClickOpensTheNoteMenuAndEraseRemovesTheCard) {
    NoteSpec keep = noteAt(0, 100, 600);
    NoteSpec erase = noteAt(1, 500, 400, "erase me");
    erase.type = 1;
    start(noteSection(keep) + noteSection(erase), 2);

    ASSERT_TRUE(pointTo(550, 420));
    ASSERT_EQ(xdotool("click 3"), 0);
    ASSERT_TRUE(waitFor([this] { return program_->popupMenu() != nullptr; }));
    ASSERT_TRUE(program_->chooseMenuKey('d'));
    const HWND dialog = program_->waitForDialog(kEraseCaption);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(PressButton(dialog, IDOK));

    ASSERT_TRUE(waitFor([this] { return program_->motes().size() == 1; }));
    EXPECT_NE(windowAt(100, 600), nullptr);
    ASSERT_TRUE(
        waitFor([this] { return folder_.readIni().find("[Husen2]") == std::string::npos; }));
    const auto shot = Screenshot::take("interaction-erased");
    ASSERT_TRUE(shot.has_value());
    EXPECT_EQ(shot->count({500, 400, 800, 450}, kMagentaFill), 0);
}

TEST_F(PointerTest, ADoubleClickEditsTheCardAndItIsRedrawnWithTheText) {
    NoteSpec note = noteAt(0, 350, 200);
    note.type = 2;
    start(noteSection(note), 1);
    const RECT empty = windowRect(windowAt(350, 200));

    ASSERT_TRUE(pointTo(400, 220));
    ASSERT_EQ(xdotool("click --repeat 2 --delay 80 1"), 0);
    const HWND dialog = program_->waitForDialog(kEditCaption);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(windowRect(dialog).left, 350);
    EXPECT_EQ(windowRect(dialog).top, 200);
    EXPECT_EQ(itemText(dialog, kTextField), "");

    // "買い物" / "牛乳" / "パン" / "卵"
    const std::string text = std::string("\x94\x83\x82\xA2\x95\xA8") + "\r\n" + "\x8B\x8D\x93\xFB" +
                             "\r\n" + "\x83\x70\x83\x93" + "\r\n" + "\x97\x91";
    ASSERT_TRUE(setItemText(dialog, kTextField, text));
    ASSERT_TRUE(PressButton(dialog, IDOK));

    const std::string stored = std::string("\x94\x83\x82\xA2\x95\xA8") + "\\n" +
                               "\x8B\x8D\x93\xFB" + "\\n" + "\x83\x70\x83\x93" + "\\n" + "\x97\x91";
    ASSERT_TRUE(waitFor([&] { return iniValue(folder_.ini(), "Husen1", "Text") == stored; }));
    RECT card{};
    ASSERT_TRUE(waitFor([&] {
        const HWND window = windowAt(350, 200);
        if (window == nullptr) return false;
        card = windowRect(window);
        return card.bottom - card.top > empty.bottom - empty.top;
    }));
    const auto shot = Screenshot::take("interaction-double-click-edit");
    ASSERT_TRUE(shot.has_value());
    // Yellow cards write in 0x808000; four lines of it.
    EXPECT_GT(shot->count(card, 0x808000), 100);
    EXPECT_EQ(shot->pixel(card.right - 3, card.bottom - 3), kYellowFill);
}

// Notes stored where no screen is (a monitor unplugged) are shown wholly on the screen; the file
// keeps their places until the user moves them.
TEST_F(PointerTest, NotesStoredOffTheScreenAreShownOnItAndADragStoresWhereTheyAre) {
    NoteSpec beyond = noteAt(0, 6000, 5000);
    NoteSpec above = noteAt(1, -700, -400);
    above.type = 1;
    start(noteSection(beyond) + noteSection(above), 2);
    RECT work{};
    ASSERT_TRUE(::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    const HWND farCard = windowAt(work.right - 300, work.bottom - 50);
    const HWND aboveCard = windowAt(work.left, work.top);
    ASSERT_NE(farCard, nullptr);
    ASSERT_NE(aboveCard, nullptr);
    const std::string ini = folder_.ini();
    EXPECT_EQ(iniValue(ini, "Husen1", "PosX"), "6000");
    EXPECT_EQ(iniValue(ini, "Husen2", "PosY"), "-400");

    ASSERT_TRUE(pointTo(work.left + 20, work.top + 20));
    ASSERT_EQ(xdotool("mousedown 1"), 0);
    ASSERT_TRUE(pointTo(work.left + 120, work.top + 70));
    ASSERT_EQ(xdotool("mouseup 1"), 0);
    ASSERT_TRUE(waitFor([&] {
        return iniValue(ini, "Husen2", "PosX") == std::to_string(work.left + 100) &&
               iniValue(ini, "Husen2", "PosY") == std::to_string(work.top + 50);
    }));
    EXPECT_EQ(iniValue(ini, "Husen1", "PosX"), "6000") << "the other note was not touched";
}

// Another program's ordinary window, made by this test.
class OtherWindow {
public:
    explicit OtherWindow(const RECT& rect)
        : window_(::CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                    rect.left, rect.top, rect.right - rect.left,
                                    rect.bottom - rect.top, nullptr, nullptr, nullptr, nullptr)) {}
    ~OtherWindow() { ::DestroyWindow(window_); }
    OtherWindow(const OtherWindow&) = delete;
    OtherWindow& operator=(const OtherWindow&) = delete;
    HWND get() const { return window_; }

private:
    HWND window_;
};

// Notes stay behind the browser or editor the user works in: pressing another note, its menu
// and the tray menu leave a note under another program's window where it is, also after
// always-on-top was switched on and off.
TEST_F(PointerTest, PressesAndMenusLeaveACoveredCardBehindAnotherProgramsWindow) {
    NoteSpec covered = noteAt(0, 200, 300);
    NoteSpec pressed = noteAt(1, 700, 300);
    start(noteSection(covered) + noteSection(pressed), 2);
    for (const char* floating : {"On", "Off"}) {
        program_->openTrayMenu();
        ASSERT_TRUE(program_->chooseMenuKey('t'));
        ASSERT_TRUE(
            waitFor([&] { return iniValue(folder_.ini(), "System", "Floating") == floating; }));
    }
    ASSERT_TRUE(program_->settle());
    const HWND coveredCard = windowAt(200, 300);
    const HWND pressedCard = windowAt(700, 300);
    ASSERT_NE(coveredCard, nullptr);
    ASSERT_NE(pressedCard, nullptr);

    const OtherWindow other({100, 200, 400, 500});
    ASSERT_NE(other.get(), nullptr);
    ASSERT_TRUE(inFront(other.get(), coveredCard));
    ASSERT_TRUE(inFront(other.get(), pressedCard));

    ASSERT_TRUE(pointTo(750, 320));
    ASSERT_EQ(xdotool("click 1"), 0);
    EXPECT_TRUE(waitFor([&] { return inFront(pressedCard, other.get()); })) << "pressed: raised";
    ASSERT_TRUE(program_->settle());
    EXPECT_TRUE(inFront(other.get(), coveredCard)) << "after the press";

    ASSERT_EQ(xdotool("click 3"), 0);
    ASSERT_TRUE(program_->dismissMenu());
    ASSERT_TRUE(program_->settle());
    EXPECT_TRUE(inFront(other.get(), coveredCard)) << "after the note menu";

    program_->openTrayMenu();
    ASSERT_TRUE(program_->dismissMenu());
    ASSERT_TRUE(program_->settle());
    EXPECT_TRUE(inFront(other.get(), coveredCard)) << "after the tray menu";
    EXPECT_TRUE(inFront(pressedCard, other.get()));
}

// The edit dialog of a double click runs inside the library's message to the host: a log-off
// then must end the program without writing half an edit and without freeing the library while
// its code is still on the stack.
TEST_F(PointerTest, ALogOffDuringTheDoubleClickDialogEndsTheProgramCleanly) {
    NoteSpec note = noteAt(0, 350, 200);
    start(noteSection(note), 1);

    ASSERT_TRUE(pointTo(400, 220));
    ASSERT_EQ(xdotool("click --repeat 2 --delay 80 1"), 0);
    const HWND dialog = program_->waitForDialog(kEditCaption);
    ASSERT_NE(dialog, nullptr);
    const std::string before = folder_.readIni();  // the press has raised the note
    ASSERT_TRUE(setItemText(dialog, kTextField, "half an edit"));

    DWORD_PTR answer = 0;
    ASSERT_NE(::SendMessageTimeoutA(program_->host(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF,
                                    SMTO_NORMAL, kDeadlineMs, &answer),
              0);
    EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE));
    ASSERT_NE(::SendMessageTimeoutA(program_->host(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF,
                                    SMTO_NORMAL, kDeadlineMs, &answer),
              0);
    ASSERT_TRUE(program_->waitForExit());
    EXPECT_EQ(program_->exitCode(), 0u) << "no crash on the way out";
    EXPECT_EQ(folder_.readIni(), before);
}

// Three cards with Japanese text, cut out of the screen for the README; away from the top left
// corner, where Wine shows its own tray window when the desktop has none.
TEST_F(PointerTest, ThreeColoursWithJapaneseTextForTheReadme) {
    NoteSpec shopping = noteAt(0, 220, 90);
    shopping.width = 240;
    shopping.fontSize = 12;
    // "買い物" / "牛乳" / "パン"
    shopping.text = std::string("\x94\x83\x82\xA2\x95\xA8") + "\\n" + "\x8B\x8D\x93\xFB" + "\\n" +
                    "\x83\x70\x83\x93";
    NoteSpec meeting = noteAt(1, 430, 120);
    meeting.width = 240;
    meeting.type = 1;
    meeting.fontSize = 12;
    meeting.red = 1;
    meeting.priority = 1;
    // "会議" / "十時から"
    meeting.text = std::string("\x89\xEF\x8B\x63") + "\\n" + "\x8F\x5C\x8E\x9E\x82\xA9\x82\xE7";
    NoteSpec call = noteAt(2, 300, 190);
    call.width = 260;
    call.type = 2;
    call.fontSize = 12;
    call.priority = 2;
    // "山田さんに" / "電話する"
    call.text = std::string("\x8E\x52\x93\x63\x82\xB3\x82\xF1\x82\xC9") + "\\n" +
                "\x93\x64\x98\x62\x82\xB7\x82\xE9";
    start(noteSection(shopping) + noteSection(meeting) + noteSection(call), 3);

    const auto shot = Screenshot::take("interaction-three-colours");
    ASSERT_TRUE(shot.has_value());
    EXPECT_EQ(shot->pixel(222, 145), kCyanFill);
    // The magenta card lies over the cyan one's right end.
    EXPECT_EQ(shot->pixel(440, 167), kMagentaFill);
    EXPECT_EQ(shot->pixel(555, 235), kYellowFill);
    EXPECT_GT(shot->count(windowRect(windowAt(430, 120)), 0xFF0000), 50);

    const std::string readme = unixPath(artifactFolder() + "\\readme-notes.png");
    ASSERT_FALSE(readme.empty());
    EXPECT_EQ(runLinuxCommand("/usr/bin/convert '" + unixPath(shot->pngPath()) +
                              "' -crop 490x190+200+70 +repage '" + readme + "'"),
              0);
}

// The tray icon as Wine shows it on a desktop without a notification area: a small window of
// its own at the top left, the icon a child window in it.
std::optional<POINT> trayIconCentre() {
    const HWND tray = ::FindWindowA("__winex11_standalone_tray", nullptr);
    const HWND icon =
        tray != nullptr ? ::FindWindowExA(tray, nullptr, "__winex11_tray_icon", nullptr) : nullptr;
    if (icon == nullptr || !::IsWindowVisible(icon)) return std::nullopt;
    const RECT rect = windowRect(icon);
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

TEST_F(PointerTest, RealClicksOnTheTrayIconCreateSwitchAndQuit) {
    start("", 0);
    std::optional<POINT> icon;
    ASSERT_TRUE(waitFor([&] { return (icon = trayIconCentre()).has_value(); }))
        << "no tray icon window";
    auto rightClickIcon = [&] {
        ASSERT_TRUE(pointTo(icon->x, icon->y));
        ASSERT_EQ(xdotool("click 3"), 0);
        ASSERT_TRUE(waitFor([this] { return program_->popupMenu() != nullptr; }));
    };

    // A left click only asks for a redraw.
    ASSERT_TRUE(pointTo(icon->x, icon->y));
    ASSERT_EQ(xdotool("click 1"), 0);
    ASSERT_TRUE(program_->settle());
    EXPECT_EQ(program_->popupMenu(), nullptr);

    rightClickIcon();
    ASSERT_TRUE(program_->chooseMenuKey('y'));
    ASSERT_TRUE(waitFor([this] { return program_->motes().size() == 1; }));
    rightClickIcon();
    ASSERT_TRUE(program_->chooseMenuKey('t'));
    ASSERT_TRUE(waitFor([&] { return iniValue(folder_.ini(), "System", "Floating") == "On"; }));
    const std::string beforeQuit = folder_.readIni();

    rightClickIcon();
    ASSERT_TRUE(program_->chooseMenuKey('q'));
    ASSERT_TRUE(program_->waitForExit());
    EXPECT_EQ(folder_.readIni(), beforeQuit);
    const RECT desktop = desktopRect();
    EXPECT_EQ(iniValue(folder_.ini(), "Husen1", "Type"), "2");
    EXPECT_EQ(iniValue(folder_.ini(), "Husen1", "PosX"), std::to_string((desktop.right - 300) / 2));
    EXPECT_EQ(iniValue(folder_.ini(), "Husen1", "PosY"), std::to_string((desktop.bottom - 50) / 2));
    EXPECT_EQ(iniValue(folder_.ini(), "System", "Floating"), "On");
}

}  // namespace
}  // namespace yorimemo::e2e
