// The motes as windows: placement, ids, stacking, topmost flag, draw lock and unload.

#include <set>
#include <string>

#include "mote_test_fixture_win32.h"

namespace yorimemo::motelib::testing {
namespace {

using DisplayTest = MoteTest;

bool sameRect(const RECT& rect, LONG left, LONG top, LONG right, LONG bottom) {
    return rect.left == left && rect.top == top && rect.right == right && rect.bottom == bottom;
}

TEST_F(DisplayTest, AMoteIsABorderlessToolWindowShowingItsBitmapAtItsPosition) {
    const int id = showMote(100, 120, 80, 40, 0);
    HWND window = moteWindow(id);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(sameRect(windowRect(window), 100, 120, 180, 160));
    const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrA(window, GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER));
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW) << "no taskbar button";
    EXPECT_TRUE(exStyle & WS_EX_NOACTIVATE);
    EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
    EXPECT_EQ(dll.getWidth(id), 80);
    EXPECT_EQ(dll.getHeight(id), 40);
}

TEST_F(DisplayTest, ATitleNamesTheWindowAndNeitherPaintsNorMovesIt) {
    const int back = showMote(100, 120, 80, 40, 0);
    showMote(150, 130, 80, 40, 1);
    HWND window = moteWindow(back);
    UpdateWindow(window);
    const auto order = moteWindowsFrontToBack();

    const std::wstring title = L"\u4ED8\u7B8B one";
    EXPECT_EQ(dll.setTitleW(back, title.data(), static_cast<int>(title.size())), 1);
    wchar_t shown[64] = {};
    GetWindowTextW(window, shown, 64);
    EXPECT_EQ(std::wstring(shown), title);
    EXPECT_FALSE(GetUpdateRect(window, nullptr, FALSE)) << "nothing to paint again";
    EXPECT_EQ(moteWindowsFrontToBack(), order);
    EXPECT_TRUE(sameRect(windowRect(window), 100, 120, 180, 160));

    EXPECT_EQ(dll.setTitleW(back, nullptr, 0), 1);
    EXPECT_EQ(GetWindowTextLengthW(window), 0);
    EXPECT_EQ(dll.setTitleW(999, title.data(), 3), 0);
}

TEST_F(DisplayTest, MoveShiftsTheWindowAndThePositionReadsBack) {
    const int id = showMote(300, 200, 50, 30, 0);
    EXPECT_EQ(dll.move(id, 15, -20), 1);
    EXPECT_EQ(dll.getPosX(id), 315);
    EXPECT_EQ(dll.getPosY(id), 180);
    EXPECT_TRUE(sameRect(windowRect(moteWindow(id)), 315, 180, 365, 210));
    EXPECT_EQ(dll.move(id, -400, 0), 1);
    EXPECT_EQ(dll.getPosX(id), -85) << "motes may lie partly off the screen";
    EXPECT_EQ(dll.setPos(id, 10, 20), 1);
    EXPECT_TRUE(sameRect(windowRect(moteWindow(id)), 10, 20, 60, 50));
}

TEST_F(DisplayTest, ANewScaleIsPassedOnFromTheWindowsOwnQueueWhileItsMoteLives) {
    const int id = showMote(100, 120, 80, 40, 0);
    const int gone = showMote(300, 120, 80, 40, 0);
    // Inside the move that brought the window there, the receiver must not be reached.
    SendMessageA(moteWindow(id), WM_DPICHANGED, MAKEWPARAM(144, 168), 0);
    SendMessageA(moteWindow(gone), WM_DPICHANGED, MAKEWPARAM(192, 192), 0);
    EXPECT_TRUE(recorder.events.empty());
    EXPECT_EQ(dll.remove(gone), 1);
    // Posted after the others, so it arrives after them.
    SendMessageA(moteWindow(id), WM_DPICHANGED, MAKEWPARAM(120, 120), 0);
    ASSERT_TRUE(waitFor([&] { return recorder.events.size() >= 2; }));
    EXPECT_EQ(recorder.events, (std::vector<std::string>{
                                   eventText("OnMoteDpiChanged", id, 144, 168),
                                   eventText("OnMoteDpiChanged", id, 120, 120),
                               }));
}

TEST_F(DisplayTest, IdsAreDistinctAmongLiveMotesAndDeleteDestroysTheWindow) {
    std::set<int> ids;
    for (int i = 0; i < 12; ++i) {
        const int id = dll.create(20 * i, 40, 0, 0, i);
        ASSERT_GE(id, 0);
        EXPECT_TRUE(ids.insert(id).second);
    }
    const int victim = *ids.begin();
    HWND window = moteWindow(victim);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(dll.remove(victim), 1);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(dll.remove(victim), 0);
    ids.erase(victim);
    for (int i = 0; i < 5; ++i) {
        const int id = dll.create(0, 0, 0, 0, 0);
        ASSERT_GE(id, 0);
        EXPECT_TRUE(ids.insert(id).second) << "id " << id << " is already live";
    }
    EXPECT_EQ(moteWindowsFrontToBack().size(), ids.size());
}

TEST_F(DisplayTest, LargerPriorityLiesInFrontAfterCreateAndAfterSetPriority) {
    const int middle = showMote(100, 100, 60, 60, 5);
    const int back = showMote(120, 120, 60, 60, 1);
    const int front = showMote(140, 140, 60, 60, 9);
    EXPECT_EQ(stackedIds(), (std::vector<int>{front, middle, back}));

    EXPECT_EQ(dll.setPriority(back, 10), 1);
    EXPECT_EQ(stackedIds(), (std::vector<int>{back, front, middle}));
    EXPECT_EQ(dll.getPriority(back), 10);
    EXPECT_EQ(dll.setPriority(front, -3), 1);
    EXPECT_EQ(stackedIds(), (std::vector<int>{back, middle, front}));

    // A later mote with a lower priority goes behind the others at once.
    const int low = showMote(160, 160, 60, 60, -10);
    EXPECT_EQ(stackedIds(), (std::vector<int>{back, middle, front, low}));
}

TEST_F(DisplayTest, OneUnlockBringsManyMotesOutOfPlaceIntoPriorityOrder) {
    std::vector<int> ids;
    for (int i = 0; i < 6; ++i) ids.push_back(showMote(100 + 10 * i, 100, 40, 40, i));
    EXPECT_EQ(stackedIds(), (std::vector<int>{ids[5], ids[4], ids[3], ids[2], ids[1], ids[0]}));

    // Most windows move in one restack, the front and the back one included.
    const int shuffled[] = {3, 0, 5, 1, 4, 2};
    dll.lockDraw();
    for (int i = 0; i < 6; ++i) dll.setPriority(ids[i], shuffled[i]);
    dll.unlockDraw();
    EXPECT_EQ(stackedIds(), (std::vector<int>{ids[2], ids[4], ids[0], ids[5], ids[3], ids[1]}));

    // The same while floating, where the front lies at the very top.
    dll.floating(1);
    dll.lockDraw();
    for (int i = 0; i < 6; ++i) dll.setPriority(ids[i], 10 - i);
    dll.unlockDraw();
    EXPECT_EQ(stackedIds(), ids);
}

// A start: many motes made under one lock, their priorities in no order of their making.
TEST_F(DisplayTest, ABatchOfNewMotesComesUpInFrontInPriorityOrderAndLiftsNoOlderMote) {
    const int older = showMote(100, 100, 40, 40, 0);
    HWND other =
        CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, "STATIC", "", WS_POPUP | WS_VISIBLE,
                        90, 90, 100, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(other, nullptr);
    auto inFront = [](HWND front, HWND back) {
        for (HWND window = GetWindow(front, GW_HWNDNEXT); window != nullptr;
             window = GetWindow(window, GW_HWNDNEXT)) {
            if (window == back) return true;
        }
        return false;
    };
    ASSERT_TRUE(inFront(other, moteWindow(older)));

    const int priorities[] = {3, 7, 1, 5, 2, 6, 4};
    std::vector<int> ids;
    const std::wstring title = L"\u4ED8\u7B8B 7";
    dll.lockDraw();
    for (int i = 0; i < 7; ++i) ids.push_back(showMote(200 + 10 * i, 100, 40, 40, priorities[i]));
    EXPECT_EQ(dll.setTitleW(ids[1], title.data(), static_cast<int>(title.size())), 1);
    EXPECT_EQ(moteWindow(ids[0]), nullptr) << "each window is made at the unlock, in its place";
    dll.unlockDraw();
    wchar_t shown[16] = {};
    GetWindowTextW(moteWindow(ids[1]), shown, 16);
    EXPECT_EQ(std::wstring(shown), title) << "and named as it is made";

    EXPECT_EQ(stackedIds(),
              (std::vector<int>{ids[1], ids[5], ids[3], ids[6], ids[0], ids[4], ids[2], older}));
    for (const int id : ids) {
        EXPECT_TRUE(IsWindowVisible(moteWindow(id)));
        EXPECT_TRUE(inFront(moteWindow(id), other));
    }
    EXPECT_TRUE(inFront(other, moteWindow(older)));
    DestroyWindow(other);
}

TEST_F(DisplayTest, AnotherProgramsWindowKeepsTheMotesBehindItThroughPressRebuildAndRedraw) {
    const int back = showMote(100, 100, 40, 40, 1);
    const int middle = showMote(110, 100, 40, 40, 2);
    const int front = showMote(120, 100, 40, 40, 3);
    HWND other =
        CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, "STATIC", "", WS_POPUP | WS_VISIBLE,
                        90, 90, 100, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(other, nullptr);
    SetWindowPos(other, moteWindow(front), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    auto behindOther = [other](int id) {
        for (HWND window = GetWindow(other, GW_HWNDNEXT); window != nullptr;
             window = GetWindow(window, GW_HWNDNEXT)) {
            if (window == moteWindow(id)) return true;
        }
        return false;
    };
    ASSERT_TRUE(behindOther(middle));

    // A press raises that mote alone.
    EXPECT_EQ(dll.setPriority(back, 4), 1);
    EXPECT_EQ(stackedIds(), (std::vector<int>{back, front, middle}));
    EXPECT_FALSE(behindOther(back));
    EXPECT_TRUE(behindOther(middle));

    // The rebuild of a note: its new mote takes the old one's place.
    dll.lockDraw();
    dll.remove(middle);
    const int rebuilt = showMote(110, 100, 40, 60, 2);
    dll.unlockDraw();
    EXPECT_TRUE(behindOther(rebuilt));

    // A redraw, and always-on-top asked off again around a menu.
    dll.redraw();
    dll.floating(0);
    dll.floating(0);
    EXPECT_TRUE(behindOther(rebuilt));
    EXPECT_EQ(stackedIds(), (std::vector<int>{back, front, rebuilt}));
    DestroyWindow(other);
}

// Another program's window, in a process of its own, until the test ends that process.
class ForeignWindow {
public:
    ForeignWindow() {
        std::string line = "\"" + programDirectory() + "motelib_foreign_window.exe\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof(startup);
        if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &process_)) {
            return;
        }
        CloseHandle(process_.hThread);
        waitFor([this] {
            for (HWND window = GetTopWindow(nullptr); window != nullptr;
                 window = GetWindow(window, GW_HWNDNEXT)) {
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                if (owner == process_.dwProcessId && IsWindowVisible(window)) window_ = window;
            }
            return window_ != nullptr;
        });
    }
    ~ForeignWindow() {
        if (process_.hProcess == nullptr) return;
        TerminateProcess(process_.hProcess, 0);
        WaitForSingleObject(process_.hProcess, ::yorimemo::testing::kDeadlineMs);
        CloseHandle(process_.hProcess);
    }
    ForeignWindow(const ForeignWindow&) = delete;
    ForeignWindow& operator=(const ForeignWindow&) = delete;
    HWND window() const { return window_; }

private:
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

// The window list is what Windows shows; the tests' display may paint otherwise (see the
// architecture notes), so the order is read from the list.
TEST_F(DisplayTest, MotesMadeOrRestackedQuietlyStayBehindAnotherProgramsWindow) {
    const int back = showMote(100, 100, 40, 40, 1);
    const int front = showMote(120, 100, 40, 40, 3);
    const ForeignWindow other;
    ASSERT_NE(other.window(), nullptr);
    auto behindOther = [&](int id) {
        for (HWND window = GetWindow(other.window(), GW_HWNDNEXT); window != nullptr;
             window = GetWindow(window, GW_HWNDNEXT)) {
            if (window == moteWindow(id)) return true;
        }
        return false;
    };
    ASSERT_TRUE(behindOther(front));

    // New cards from the file, one of them to the front, and a card restacked to the front.
    dll.lockDraw();
    EXPECT_EQ(dll.quietStack(1), 1);
    const int middle = showMote(140, 100, 40, 40, 2);
    const int newFront = showMote(160, 100, 40, 40, 5);
    dll.quietStack(0);
    dll.unlockDraw();
    EXPECT_EQ(stackedIds(), (std::vector<int>{newFront, front, middle, back}));
    dll.quietStack(1);
    EXPECT_EQ(dll.setPriority(back, 9), 1);
    dll.quietStack(0);
    EXPECT_EQ(stackedIds(), (std::vector<int>{back, newFront, front, middle}));
    for (const int id : {back, newFront, front, middle}) {
        EXPECT_TRUE(IsWindowVisible(moteWindow(id)));
        EXPECT_TRUE(behindOther(id)) << id;
    }

    // The user's press still brings its card over the other window; a new card of the user too.
    EXPECT_EQ(dll.setPriority(middle, 10), 1);
    EXPECT_FALSE(behindOther(middle));
    const int made = showMote(180, 100, 40, 40, 11);
    EXPECT_FALSE(behindOther(made));
    EXPECT_TRUE(behindOther(back));
}

TEST_F(DisplayTest, FloatingKeepsEveryMoteTopmostInPriorityOrderAndReleasesThem) {
    auto allTopmost = [](bool wanted) {
        for (HWND window : moteWindowsFrontToBack()) {
            const bool topmost = (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
            if (topmost != wanted) return false;
        }
        return true;
    };
    const int a = showMote(100, 100, 40, 40, 1);
    const int b = showMote(110, 110, 40, 40, 2);
    EXPECT_TRUE(allTopmost(false));

    EXPECT_EQ(dll.floating(1), 1);
    EXPECT_TRUE(allTopmost(true));
    const int c = showMote(120, 120, 40, 40, 0);
    EXPECT_TRUE(allTopmost(true)) << "a mote created while floating floats too";
    EXPECT_EQ(stackedIds(), (std::vector<int>{b, a, c}));
    dll.setPriority(c, 5);
    EXPECT_TRUE(allTopmost(true));
    EXPECT_EQ(stackedIds(), (std::vector<int>{c, b, a}));

    EXPECT_EQ(dll.floating(0), 1);
    EXPECT_TRUE(allTopmost(false));
    EXPECT_EQ(stackedIds(), (std::vector<int>{c, b, a}));
}

TEST_F(DisplayTest, ADrawLockDefersEveryScreenChangeToTheOutermostUnlock) {
    const int old = showMote(200, 200, 60, 40, 0);
    HWND oldWindow = moteWindow(old);
    ASSERT_NE(oldWindow, nullptr);

    // The rebuild of a note: the old mote goes and a new one takes over its window.
    EXPECT_EQ(dll.lockDraw(), 1);
    EXPECT_EQ(dll.lockDraw(), 1);
    EXPECT_EQ(dll.move(old, 5, 5), 1);
    EXPECT_EQ(dll.remove(old), 1);
    const int fresh = showMote(200, 200, 60, 90, 0);
    EXPECT_EQ(dll.getPosX(old), 0) << "the deleted id is gone at once";
    EXPECT_EQ(dll.getHeight(fresh), 90);
    EXPECT_TRUE(IsWindowVisible(oldWindow)) << "the old note stays until the rebuild is done";
    EXPECT_TRUE(sameRect(windowRect(oldWindow), 200, 200, 260, 240));
    const HWND freshWindow = moteWindow(fresh);
    EXPECT_EQ(freshWindow, oldWindow) << "and so keeps its place in the stack";
    EXPECT_EQ(moteWindowsFrontToBack().size(), 1u);

    EXPECT_EQ(dll.unlockDraw(), 1);  // inner
    EXPECT_TRUE(sameRect(windowRect(freshWindow), 200, 200, 260, 240));

    EXPECT_EQ(dll.unlockDraw(), 1);  // outer
    EXPECT_TRUE(IsWindowVisible(freshWindow));
    EXPECT_TRUE(sameRect(windowRect(freshWindow), 200, 200, 260, 290));
    EXPECT_EQ(dll.unlockDraw(), 0) << "an unmatched unlock is refused";

    // Still deferred correctly after an unmatched unlock.
    dll.lockDraw();
    dll.move(fresh, 10, 0);
    EXPECT_TRUE(sameRect(windowRect(freshWindow), 200, 200, 260, 290));
    dll.unlockDraw();
    EXPECT_TRUE(sameRect(windowRect(freshWindow), 210, 200, 270, 290));

    // A mote deleted under a lock and not replaced keeps its window until the release.
    dll.lockDraw();
    dll.remove(fresh);
    EXPECT_TRUE(IsWindowVisible(freshWindow));
    dll.unlockDraw();
    EXPECT_FALSE(IsWindow(freshWindow));
}

TEST_F(DisplayTest, HiddenMotesStayHiddenUntilShown) {
    const int id = showMote(50, 50, 30, 30, 0);
    HWND window = moteWindow(id);
    EXPECT_EQ(dll.hide(id), 1);
    EXPECT_FALSE(IsWindowVisible(window));
    dll.move(id, 1, 1);
    dll.redraw();
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(dll.show(id), 1);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(sameRect(windowRect(window), 51, 51, 81, 81));
}

TEST_F(DisplayTest, AMoteWithoutImageIsNotShown) {
    const int id = dll.create(70, 80, 0, 0, 0);
    HWND window = moteWindow(id);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(dll.getPosX(id), 70);
    EXPECT_EQ(dll.getWidth(id), 0);
}

TEST_F(DisplayTest, UnloadDestroysEveryWindowAndTheLibraryStartsAfresh) {
    for (int i = 0; i < 4; ++i) showMote(30 * i, 30, 20, 20, i);
    const int doomed = showMote(0, 0, 20, 20, 4);
    dll.lockDraw();
    dll.remove(doomed);         // its window waits for the unlock
    dll.create(0, 0, 0, 0, 0);  // one made under the lock has no window before the unlock
    std::vector<HWND> windows = moteWindowsFrontToBack();
    ASSERT_EQ(windows.size(), 5u);

    EXPECT_EQ(dll.unload(), 1);
    for (HWND window : windows) EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(moteWindowsFrontToBack().empty());

    const int id = showMote(10, 10, 20, 20, 0);
    EXPECT_GE(id, 0);
    EXPECT_TRUE(IsWindowVisible(moteWindow(id))) << "the lock went with the old state";
}

TEST_F(DisplayTest, UnknownIdsAndHandlesAreRefusedWithoutHarm) {
    const int id = showMote(10, 10, 20, 20, 0);
    MoteHandle surface = 0;
    const MoteHandle bitmap = dll.createBitmap(8, 8, &surface);
    for (const int bad : {-1, id + 1000, 0x7FFFFFFF}) {
        EXPECT_EQ(dll.remove(bad), 0);
        EXPECT_EQ(dll.move(bad, 1, 1), 0);
        EXPECT_EQ(dll.setPriority(bad, 1), 0);
        EXPECT_EQ(dll.getPosX(bad), 0);
        EXPECT_EQ(dll.getPosY(bad), 0);
        EXPECT_EQ(dll.setImage(bad, bitmap, surface), 0);
        EXPECT_EQ(dll.updateImage(bad), 0);
        EXPECT_EQ(dll.hide(bad), 0);
    }
    for (const MoteHandle bad : {MoteHandle{0}, bitmap + 977, MoteHandle{-5}, surface}) {
        EXPECT_EQ(dll.setImage(id, bad, surface), 0);
        EXPECT_EQ(dll.fillRect(bad, surface, 0, 0, 4, 4, 0), 0);
        EXPECT_EQ(dll.drawLine(bad, surface, 0, 0, 4, 4, 0), 0);
        EXPECT_EQ(dll.deleteBitmap(bad), 0);
        EXPECT_EQ(dll.deleteFont(bad), 0);
        int rect[4] = {0, 0, 50, 0};
        EXPECT_EQ(dll.draw(bad, "abc", 0, 0, rect), 0);
    }
    EXPECT_EQ(dll.drawText(0, globalText("abc"), 3, 0, 0, nullptr, 0x410), 0);
    EXPECT_EQ(dll.createBitmap(0, 10, &surface), 0);
    EXPECT_EQ(surface, 0) << "a refused bitmap has no surface";
    EXPECT_EQ(dll.createBitmap(10, -1, nullptr), 0);
    EXPECT_NE(dll.createBitmap(3, 3, nullptr), 0) << "the surface word is optional";

    EXPECT_EQ(dll.deleteBitmap(bitmap), 1);
    EXPECT_EQ(dll.deleteBitmap(bitmap), 0);
    EXPECT_EQ(dll.fillRect(bitmap, surface, 0, 0, 1, 1, 0), 0) << "a freed bitmap is unknown";
    EXPECT_TRUE(IsWindowVisible(moteWindow(id)));
}

TEST_F(DisplayTest, RedrawAndDesktopSizeChangeKeepEveryMoteInPlace) {
    const int a = showMote(40, 60, 30, 30, 2);
    const int b = showMote(50, 70, 30, 30, 1);
    EXPECT_EQ(dll.redraw(), 1);
    EXPECT_EQ(dll.updateDesktopSize(), 1);
    EXPECT_TRUE(sameRect(windowRect(moteWindow(a)), 40, 60, 70, 90));
    EXPECT_EQ(stackedIds(), (std::vector<int>{a, b}));
}

}  // namespace
}  // namespace yorimemo::motelib::testing
