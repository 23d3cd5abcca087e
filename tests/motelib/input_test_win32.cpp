// Real pointer input through the X server (xdotool under Wine): the events the attached window
// receives, in order, with screen positions, while the receiver acts on the motes as the
// program does inside the send.

#include <string>

#include "mote_test_fixture_win32.h"

namespace yorimemo::motelib::testing {
namespace {

struct Event {
    std::string name;
    int id = -1;
    int x = 0;
    int y = 0;
};

Event parse(const std::string& payload) {
    Event event;
    std::string fields[4];
    std::size_t start = 0;
    for (std::string& field : fields) {
        const std::size_t end = payload.find("\r\n", start);
        if (end == std::string::npos) break;
        field = payload.substr(start, end - start);
        start = end + 2;
    }
    event.name = fields[0];
    event.id = std::atoi(fields[1].c_str());
    event.x = std::atoi(fields[2].c_str());
    event.y = std::atoi(fields[3].c_str());
    return event;
}

class InputTest : public MoteTest {
protected:
    void SetUp() override {
        if (unixPath("C:\\").empty()) GTEST_SKIP() << "needs Wine and xdotool";
        MoteTest::SetUp();
        // A test that failed halfway may have left a button down.
        xdotool("mouseup 1 mouseup 3");
        ASSERT_TRUE(pointTo(20, 20));
    }

    void xdotool(const std::string& arguments) {
        ASSERT_TRUE(startLinuxProgram("/usr/bin/xdotool " + arguments));
    }

    bool pointTo(int x, int y) {
        xdotool("mousemove " + std::to_string(x) + " " + std::to_string(y));
        return waitFor([&] {
            POINT point{};
            GetCursorPos(&point);
            return point.x == x && point.y == y;
        });
    }

    bool eventsArrived(std::size_t count) {
        return waitFor([&] { return recorder.events.size() >= count; });
    }

    // The left button pressed at a point, once the press has been reported.
    bool pressAt(int x, int y) {
        if (!pointTo(x, y)) return false;
        const std::size_t before = recorder.events.size();
        xdotool("mousedown 1");
        return eventsArrived(before + 1);
    }

    // X delivers input in order: once a right click on a fresh mote is reported, everything
    // before it has been reported too, so the list is complete. `pending` is input whose effect
    // cannot be waited for; it runs in the same xdotool call, so it comes first.
    void settle(const std::string& pending = "") {
        const int sentinel = showMote(700, 600, 40, 40, 100);
        const std::string last = eventText("OnMoteRButtonUp", sentinel, 720, 620);
        xdotool(pending + " mousemove 720 620 click 3");
        // The pending input may report events of its own first: wait for the sentinel itself.
        ASSERT_TRUE(
            waitFor([&] { return !recorder.events.empty() && recorder.events.back() == last; }));
        recorder.events.pop_back();
    }
};

TEST_F(InputTest, ADragReportsScreenPositionsWhileTheReceiverMovesTheMote) {
    const int other = showMote(150, 150, 60, 60, 5);
    const int id = showMote(200, 200, 120, 80, 1);
    int lastX = 0;
    int lastY = 0;
    recorder.onEvent = [&](const std::string& payload) {
        const Event event = parse(payload);
        if (event.name == "OnMoteLButtonDown") {
            dll.setPriority(event.id, 10);  // pressing a note brings it to the front
        } else if (event.name == "OnMoteMouseMove") {
            dll.move(event.id, event.x - lastX, event.y - lastY);
        }
        lastX = event.x;
        lastY = event.y;
    };

    ASSERT_TRUE(pressAt(230, 230));
    EXPECT_EQ(stackedIds().front(), id);
    // The last step leaves the note behind: the capture keeps the moves coming.
    const POINT steps[] = {{250, 240}, {290, 262}, {420, 330}};
    for (const POINT& step : steps) {
        xdotool("mousemove " + std::to_string(step.x) + " " + std::to_string(step.y));
        ASSERT_TRUE(eventsArrived(recorder.events.size() + 1));
    }
    xdotool("mouseup 1");
    ASSERT_TRUE(eventsArrived(5));
    settle();

    const std::vector<std::string> expected = {
        eventText("OnMoteLButtonDown", id, 230, 230), eventText("OnMoteMouseMove", id, 250, 240),
        eventText("OnMoteMouseMove", id, 290, 262),   eventText("OnMoteMouseMove", id, 420, 330),
        eventText("OnMoteLButtonUp", id, 420, 330),
    };
    EXPECT_EQ(recorder.events, expected);
    EXPECT_EQ(dll.getPosX(id), 390);
    EXPECT_EQ(dll.getPosY(id), 300);
    const RECT rect = windowRect(moteWindow(id));
    EXPECT_EQ(rect.left, 390);
    EXPECT_EQ(rect.top, 300);
    EXPECT_EQ(dll.getPosX(other), 150);
}

TEST_F(InputTest, ARightClickReportsOneReleaseAndMovesWithoutAPressReportNothing) {
    const int id = showMote(300, 300, 100, 60, 0);
    ASSERT_TRUE(pointTo(310, 320));
    ASSERT_TRUE(pointTo(350, 330));  // hovering is not a drag
    xdotool("click 3");
    ASSERT_TRUE(eventsArrived(1));
    settle();
    EXPECT_EQ(recorder.events,
              (std::vector<std::string>{eventText("OnMoteRButtonUp", id, 350, 330)}));
}

TEST_F(InputTest, ADoubleClickIsReportedBetweenTheClicksEvenWhenTheReceiverWaitsInside) {
    const int id = showMote(400, 200, 100, 60, 0);
    bool nestedSawLastRelease = false;
    recorder.onEvent = [&](const std::string& payload) {
        if (parse(payload).name != "OnMoteLButtonDoubleClick") return;
        // Like a modal dialog opened by the receiver: a nested loop inside the send, which
        // receives the following release.
        nestedSawLastRelease = waitFor([&] { return recorder.events.size() >= 4; });
    };
    ASSERT_TRUE(pointTo(420, 230));
    xdotool("click --repeat 2 --delay 80 1");
    ASSERT_TRUE(eventsArrived(4));
    settle();
    EXPECT_TRUE(nestedSawLastRelease);
    const std::vector<std::string> expected = {
        eventText("OnMoteLButtonDown", id, 420, 230),
        eventText("OnMoteLButtonUp", id, 420, 230),
        eventText("OnMoteLButtonDoubleClick", id, 420, 230),
        eventText("OnMoteLButtonUp", id, 420, 230),
    };
    EXPECT_EQ(recorder.events, expected);
}

TEST_F(InputTest, AMoteDeletedByTheReceiverDuringAPressReportsNoMore) {
    const int id = showMote(200, 400, 100, 60, 0);
    HWND window = moteWindow(id);
    recorder.onEvent = [&](const std::string& payload) {
        if (parse(payload).name == "OnMoteLButtonDown") dll.remove(id);
    };
    ASSERT_TRUE(pressAt(220, 420));
    EXPECT_FALSE(IsWindow(window));
    ASSERT_TRUE(pointTo(260, 440));
    settle("mouseup 1");
    EXPECT_EQ(recorder.events,
              (std::vector<std::string>{eventText("OnMoteLButtonDown", id, 220, 420)}));
}

// The program rebuilds a card under a draw lock when the write of a press finds it changed in
// the file: the new mote takes the window and the drag goes on with it.
TEST_F(InputTest, AMoteRebuiltByTheReceiverDuringAPressKeepsTheDrag) {
    const int id = showMote(200, 400, 100, 60, 0);
    int rebuilt = -1;
    recorder.onEvent = [&](const std::string& payload) {
        if (parse(payload).name != "OnMoteLButtonDown") return;
        dll.lockDraw();
        dll.remove(id);
        rebuilt = showMote(200, 400, 100, 60, 1);
        dll.unlockDraw();
    };
    ASSERT_TRUE(pressAt(220, 420));
    ASSERT_TRUE(pointTo(260, 440));
    ASSERT_TRUE(eventsArrived(2));
    settle("mouseup 1");
    EXPECT_EQ(recorder.events, (std::vector<std::string>{
                                   eventText("OnMoteLButtonDown", id, 220, 420),
                                   eventText("OnMoteMouseMove", rebuilt, 260, 440),
                                   eventText("OnMoteLButtonUp", rebuilt, 260, 440),
                               }));
}

TEST_F(InputTest, TheRightEdgeShowsTheResizeCursorAndADragFromItIsAnEdgeDrag) {
    const int id = showMote(300, 300, 200, 60, 0);
    const HCURSOR resize = LoadCursorA(nullptr, IDC_SIZEWE);
    // Two pixels in from the right: on the handle at any scale.
    ASSERT_TRUE(pointTo(498, 320));
    EXPECT_TRUE(waitFor([&] { return GetCursor() == resize; }));
    ASSERT_TRUE(pointTo(400, 320));
    EXPECT_TRUE(waitFor([&] { return GetCursor() == LoadCursorA(nullptr, IDC_ARROW); }));

    ASSERT_TRUE(pressAt(498, 320));
    ASSERT_TRUE(pointTo(540, 330));
    ASSERT_TRUE(eventsArrived(2));
    EXPECT_EQ(GetCursor(), resize) << "held while the pointer runs ahead of the edge";
    settle("mouseup 1");
    EXPECT_EQ(recorder.events, (std::vector<std::string>{
                                   eventText("OnMoteEdgeLButtonDown", id, 498, 320),
                                   eventText("OnMoteMouseMove", id, 540, 330),
                                   eventText("OnMoteLButtonUp", id, 540, 330),
                               }));
}

TEST_F(InputTest, TheReceiverMayUnloadTheLibraryInsideTheSend) {
    const int id = showMote(500, 400, 100, 60, 0);
    recorder.onEvent = [&](const std::string& payload) {
        if (parse(payload).name == "OnMoteLButtonDown") dll.unload();
    };
    ASSERT_TRUE(pressAt(520, 420));
    EXPECT_TRUE(moteWindowsFrontToBack().empty());
    ASSERT_TRUE(pointTo(540, 430));
    recorder.onEvent = nullptr;
    ASSERT_EQ(dll.attach(recorder.window()), 1);  // a fresh start knows no window yet
    settle("mouseup 1");
    EXPECT_EQ(recorder.events,
              (std::vector<std::string>{eventText("OnMoteLButtonDown", id, 520, 420)}));
}

}  // namespace
}  // namespace yorimemo::motelib::testing
