#include "host/note_host.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "notes/profile_file.h"
#include "tests/host/host_fixture.h"

namespace yorimemo {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;

using NoteHostTest = testing::HostFixture;

constexpr const char* kTwoNotes =
    "[System]\r\nFloating=On\r\n"
    "[Husen2]\r\nID=55\r\nPriority=40\r\nPosX=10\r\nPosY=20\r\nType=1\r\nText=hi\r\n"
    "[Husen4]\r\nID=0\r\nPriority=12\r\nPosX=100\r\nPosY=100\r\n";

TEST_F(NoteHostTest, StartDrawsStoredNotesWithNewIdsAndNeverDeletesStoredOnes) {
    std::vector<std::string> calls;
    {
        testing::writeFileBytes(iniPath_, kTwoNotes);
        fakes::FakeUi ui(calls);
        NoteHost host(iniPath_, ui);
        host.loadSettings();
        host.openMoteLibrary(std::make_unique<fakes::RecordingLibrary>(calls), 0x1234,
                             [&] { calls.push_back("before show"); });
    }
    EXPECT_EQ(calls[0], "_floating 1");
    EXPECT_EQ(calls[1], "_attach 4660");
    EXPECT_THAT(calls, Contains("_create 10 20 0 0 1"));
    EXPECT_THAT(calls, Contains("_create 100 100 0 0 0"));
    // What must be up before the cards waits after the last is made, under the start's lock.
    const auto beforeShow = std::find(calls.begin(), calls.end(), "before show");
    ASSERT_NE(beforeShow, calls.end());
    EXPECT_EQ(std::find(beforeShow, calls.end(), "_create 100 100 0 0 0"), calls.end());
    EXPECT_GT(std::count(calls.begin(), beforeShow, "_lock_draw"),
              std::count(calls.begin(), beforeShow, "_unlock_draw"));
    for (const auto& call : calls) EXPECT_NE(call.rfind("_delete ", 0), 0u) << call;

    const NoteTable stored = reread();
    EXPECT_EQ(stored.slots[1].moteId, 0);
    EXPECT_EQ(stored.slots[1].priority, 1);
    EXPECT_EQ(stored.slots[3].moteId, 1);
    EXPECT_EQ(stored.slots[3].priority, 0);
    EXPECT_EQ(stored.slots[3].width, 300) << "missing keys are written with their defaults";
    EXPECT_NE(file().find("FontSize=9"), std::string::npos);
}

TEST_F(NoteHostTest, MenuSequenceKeepsNotesOffTopUntilTheCommandHasRun) {
    start(kTwoNotes);
    rightClickTray(kNoCommand);
    EXPECT_THAT(library_->take(), ElementsAre("_floating 0", "menu created", "menu tracked",
                                              "post null", "menu destroyed", "_floating 1"));

    rightClickTray(kQuit);
    EXPECT_THAT(library_->take(),
                ElementsAre("_floating 0", "menu created", "menu tracked", "post quit", "post null",
                            "menu destroyed", "_floating 1"));

    ui_->menuCanBeCreated = false;
    rightClickTray(kQuit);
    EXPECT_THAT(library_->take(), ElementsAre("_floating 0", "post null", "_floating 1"));
}

TEST_F(NoteHostTest, OtherTrayMessagesDoLittleOrNothing) {
    start();
    host_->onTrayNotify(testing::kTrayIconId, kLeftButtonUp);
    EXPECT_THAT(library_->take(), ElementsAre("_redraw"));
    for (std::int32_t message : {512, 513, 515, 516, 518, 0}) {
        host_->onTrayNotify(testing::kTrayIconId, message);
    }
    EXPECT_THAT(library_->take(), IsEmpty());
}

TEST_F(NoteHostTest, CreatedNoteIsCentredAndStoredWithTheNextPriority) {
    start();
    rightClickTray(kCreateCyan);
    EXPECT_THAT(library_->calls, Contains("_create 810 515 0 0 0"));
    EXPECT_THAT(library_->calls, Contains("_redraw"));
    rightClickTray(kCreateMagenta);
    rightClickTray(kCreateYellow);

    const NoteTable stored = reread();
    for (int slot = 0; slot < 3; ++slot) {
        EXPECT_TRUE(stored.slots[slot].inUse());
        EXPECT_EQ(stored.slots[slot].priority, slot);
        EXPECT_EQ(stored.slots[slot].color, static_cast<NoteColor>(slot));
        EXPECT_EQ(stored.slots[slot].x, 810);
        EXPECT_EQ(stored.slots[slot].y, 515);
    }
    EXPECT_EQ(host_->table().nextPriority, 3);
}

TEST_F(NoteHostTest, PlacementTruncatesTowardZero) {
    start("[System]\r\nWidth=2121\r\n");
    rightClickTray(kCreateCyan);  // (1920 - 2121) / 2 = -100.5
    EXPECT_EQ(host_->table().slots[0].x, -100);

    host_->setDesktopExtent({1026, 1080});  // (1026 - 2121) / 2 = -547.5
    rightClickTray(kCreateCyan);
    EXPECT_EQ(host_->table().slots[1].x, -547);
}

TEST_F(NoteHostTest, ANewNoteTakesTheFirstFreeSlotAndNothingWhenAllAreUsed) {
    start();
    for (int i = 0; i < 5; ++i) rightClickTray(kCreateYellow);
    ui_->eraseDialog = [](int) { return true; };
    rightClickNote(host_->table().slots[2].moteId, kErase);
    EXPECT_EQ(file().find("[Husen3]"), std::string::npos);

    rightClickTray(kCreateCyan);
    EXPECT_TRUE(host_->table().slots[2].inUse());
    EXPECT_TRUE(reread().slots[2].inUse()) << "written to the section numbered 3";

    for (int i = 5; i < kSlotCount; ++i) rightClickTray(kCreateCyan);
    const std::int32_t next = host_->table().nextPriority;
    library_->take();
    rightClickTray(kCreateCyan);
    EXPECT_EQ(host_->table().nextPriority, next);
    EXPECT_THAT(library_->calls, Contains("_redraw"));
    EXPECT_THAT(library_->calls, Not(Contains(::testing::StartsWith("_create "))));
}

TEST_F(NoteHostTest, EraseAsksFirstAndRemovesTheWholeSection) {
    start(kTwoNotes);
    const std::int32_t id = host_->table().slots[1].moteId;
    rightClickNote(id, kErase);
    EXPECT_TRUE(host_->table().slots[1].inUse()) << "'no' keeps the note";
    EXPECT_NE(file().find("[Husen2]"), std::string::npos);

    ui_->eraseDialog = [](int slot) { return slot == 1; };
    library_->take();
    rightClickNote(id, kErase);
    EXPECT_THAT(library_->calls, Contains("_delete " + std::to_string(id)));
    EXPECT_THAT(library_->calls, Not(Contains("_redraw")));
    EXPECT_EQ(host_->table().slots[1].moteId, -1);
    EXPECT_EQ(file().find("[Husen2]"), std::string::npos);
    EXPECT_FALSE(reread().slots[1].inUse());
}

TEST_F(NoteHostTest, NoteMenuCommandsRecolourAndSwitchRedText) {
    start(kTwoNotes);
    std::int32_t id = host_->table().slots[1].moteId;
    rightClickNote(id, kColorYellow);
    EXPECT_EQ(ui_->menus.back().items[5].checked, true) << "the menu showed magenta";
    id = host_->table().slots[1].moteId;
    rightClickNote(id, kRedText);
    EXPECT_EQ(host_->table().slots[1].textRed, 1);
    EXPECT_EQ(reread().slots[1].color, kYellow);
    EXPECT_EQ(reread().slots[1].textRed, 1);
    EXPECT_EQ(host_->noteMenuFlag(), 0);
}

TEST_F(NoteHostTest, EditRedrawsOnlyWhenConfirmed) {
    start(kTwoNotes);
    const std::int32_t id = host_->table().slots[3].moteId;
    library_->take();
    rightClickNote(id, kEdit);
    EXPECT_THAT(library_->calls, Not(Contains("_lock_draw")));

    ui_->editDialog = [this](int slot) {
        host_->table().slots[slot].text = "a\\nb\r\nc";
        return true;
    };
    rightClickNote(id, kEdit);
    EXPECT_THAT(library_->calls, Contains("_lock_draw"));
    EXPECT_EQ(reread().slots[3].text, "a\r\nb\r\nc");
}

TEST_F(NoteHostTest, AlwaysOnTopSwitchesAndIsWrittenAtOnce) {
    start();
    rightClickTray(kAlwaysOnTop);
    EXPECT_EQ(library_->take().back(), "_floating 1");
    EXPECT_NE(file().find("Floating=On"), std::string::npos);
    rightClickTray(kAlwaysOnTop);
    EXPECT_TRUE(ui_->menus.back().items[5].checked);
    EXPECT_EQ(library_->take().back(), "_floating 0");
    EXPECT_NE(file().find("Floating=Off"), std::string::npos);
}

TEST_F(NoteHostTest, DragMovesByThePointerAndStoresThePositionAtTheEnd) {
    start(kTwoNotes);
    const std::int32_t id = host_->table().slots[3].moteId;
    const std::string before = file();
    host_->onEventMessage("OnMoteLButtonDown\r\n" + std::to_string(id) + "\r\n100\r\n100\r\n");
    EXPECT_EQ(host_->table().slots[3].priority, 2);
    EXPECT_EQ(stored(3, "Priority"), "2");
    const std::string afterPress = file();

    library_->take();
    host_->onEventMessage("OnMoteMouseMove\r\n99\r\n110\r\n95\r\n");
    host_->onEventMessage("OnMoteMouseMove\r\n99\r\n110\r\n95\r\n");
    EXPECT_THAT(library_->take(), ElementsAre("_move " + std::to_string(id) + " 10 -5",
                                              "_get_pos_x " + std::to_string(id),
                                              "_get_pos_y " + std::to_string(id)));
    EXPECT_EQ(host_->table().slots[3].x, 110);
    EXPECT_EQ(host_->table().slots[3].y, 95);
    EXPECT_EQ(file(), afterPress) << "nothing is written during the moves";

    host_->onEventMessage("OnMoteLButtonUp\r\n");  // lacks CR LF after the name: ignored
    host_->onEventMessage("OnMoteLButtonUp\r\n0\r\n0\r\n0\r\n");
    EXPECT_EQ(reread().slots[3].x, 110);
    EXPECT_EQ(reread().slots[3].y, 95);
    EXPECT_FALSE(host_->drag().active);

    const std::string afterDrag = file();
    host_->onEventMessage("OnMoteMouseMove\r\n0\r\n500\r\n500\r\n");
    host_->onEventMessage("OnMoteLButtonUp\r\n0\r\n0\r\n0\r\n");
    EXPECT_THAT(library_->take(), IsEmpty());
    EXPECT_EQ(file(), afterDrag);
}

TEST_F(NoteHostTest, AtAnotherScaleCardsShowScaledAndADragStoresThePlaceAtOneHundredPercent) {
    systemDpi_ = 144;
    start(kTwoNotes);
    const NoteSlot& note = host_->table().slots[3];
    EXPECT_EQ(note.shownX, 150);
    EXPECT_EQ(note.cardWidth, 450);
    EXPECT_EQ(stored(3, "PosX"), "100") << "showing at another scale changes nothing stored";
    EXPECT_EQ(stored(3, "Width"), "300");

    const std::string id = std::to_string(note.moteId);
    host_->onEventMessage("OnMoteLButtonDown\r\n" + id + "\r\n200\r\n200\r\n");
    host_->onEventMessage("OnMoteLButtonUp\r\n" + id + "\r\n200\r\n200\r\n");
    EXPECT_EQ(stored(3, "PosX"), "100") << "a press alone moves nothing";
    host_->onEventMessage("OnMoteLButtonDown\r\n" + id + "\r\n200\r\n200\r\n");
    host_->onEventMessage("OnMoteMouseMove\r\n" + id + "\r\n230\r\n185\r\n");
    host_->onEventMessage("OnMoteLButtonUp\r\n" + id + "\r\n230\r\n185\r\n");
    EXPECT_EQ(stored(3, "PosX"), "120") << "30 screen pixels are 20 at 100 %";
    EXPECT_EQ(stored(3, "PosY"), "90");

    // A new note sits in the middle of the screen as shown.
    rightClickTray(kCreateCyan);
    EXPECT_EQ(host_->table().slots[0].shownX, (1920 - 450) / 2);
    EXPECT_EQ(stored(0, "PosX"), "490");
    EXPECT_EQ(stored(0, "Width"), "300");
}

TEST_F(NoteHostTest, AnEdgeDragAt150PercentRewrapsLiveStoresOnlyTheWidthAndNothingDrifts) {
    systemDpi_ = 144;
    start(kTwoNotes);
    const NoteSlot& note = host_->table().slots[3];
    auto event = [&](const std::string& name, std::int32_t x, std::int32_t y) {
        host_->onEventMessage(name + "\r\n" + std::to_string(note.moteId) + "\r\n" +
                              std::to_string(x) + "\r\n" + std::to_string(y) + "\r\n");
    };
    event("OnMoteEdgeLButtonDown", 595, 160);
    EXPECT_EQ(stored(3, "Priority"), "2") << "raised like any press";
    const std::string pressed = file();
    library_->take();

    event("OnMoteMouseMove", 625, 170);
    const std::vector<std::string> rebuilt = library_->take();
    EXPECT_THAT(rebuilt, Contains("_create_bitmap 480 75")) << "30 screen pixels are 20 at 100 %";
    EXPECT_THAT(rebuilt, Contains("_create 150 150 0 0 2")) << "in its place";
    EXPECT_EQ(host_->drag().moteId, note.moteId) << "the drag goes on with the rebuilt card";
    event("OnMoteMouseMove", 5000, 170);
    EXPECT_THAT(library_->take(), Contains("_create_bitmap 1500 75"));
    event("OnMoteMouseMove", 626, 170);
    event("OnMoteLButtonUp", 626, 170);
    EXPECT_EQ(file(), std::string(pressed).replace(
                          pressed.find("Width=300", pressed.find("[Husen4]")), 9, "Width=321"));

    // Dropped on 151, which stores 101; alone, 101 would show on 152.
    event("OnMoteLButtonDown", 200, 160);
    event("OnMoteMouseMove", 201, 161);
    event("OnMoteLButtonUp", 201, 161);
    EXPECT_EQ(stored(3, "PosX"), "101");
    host_->onEventMessage("OnMoteDpiChanged\r\n" + std::to_string(note.moteId) +
                          "\r\n192\r\n192\r\n");
    EXPECT_THAT(library_->take(), Contains(::testing::StartsWith("_create 151 151 ")));
}

TEST_F(NoteHostTest, ACardOnAMonitorOfAnotherScaleIsRedrawnForItAfterAnyDrag) {
    start(kTwoNotes);
    const std::string before = file();
    const std::string id = std::to_string(host_->table().slots[3].moteId);
    auto dpiChanged = [&](const std::string& to, const std::string& cardId) {
        host_->onEventMessage("OnMoteDpiChanged\r\n" + cardId + "\r\n" + to + "\r\n" + to + "\r\n");
    };
    for (const char* odd : {"0", "-96", "99999", "abc", "2147483648"}) dpiChanged(odd, id);
    dpiChanged("192", "77");
    host_->onEventMessage("OnMoteDpiChanged\r\n" + id + "\r\n");
    EXPECT_THAT(library_->take(), IsEmpty()) << "no scale, or no card: nothing";

    dpiChanged("192", id);
    const std::vector<std::string> redraw = library_->take();
    EXPECT_THAT(redraw, Contains(::testing::EndsWith("\" 9 192")));
    EXPECT_THAT(redraw, Contains("_create 100 100 0 0 0")) << "in its place";
    EXPECT_THAT(redraw, Contains("_create_bitmap 600 100"));
    EXPECT_EQ(file(), before) << "only the look changed";
    dpiChanged("192", std::to_string(host_->table().slots[3].moteId));
    EXPECT_THAT(library_->take(), IsEmpty()) << "already drawn for it";

    // Rebuilt while dragged the card would end the drag: it waits for the release.
    const std::string dragged = std::to_string(host_->table().slots[3].moteId);
    host_->onEventMessage("OnMoteLButtonDown\r\n" + dragged + "\r\n5\r\n5\r\n");
    dpiChanged("96", dragged);
    host_->onEventMessage("OnMoteMouseMove\r\n" + dragged + "\r\n9\r\n5\r\n");
    EXPECT_THAT(library_->take(), Not(Contains("_create_bitmap 300 50")));
    host_->onEventMessage("OnMoteLButtonUp\r\n" + dragged + "\r\n9\r\n5\r\n");
    EXPECT_THAT(library_->take(), Contains("_create_bitmap 300 50"));
    EXPECT_EQ(stored(3, "PosX"), "104");
}

TEST_F(NoteHostTest, EveryPressRaisesAgain) {
    start(kTwoNotes);
    const std::int32_t id = host_->table().slots[1].moteId;
    for (int press = 0; press < 2; ++press) {
        host_->onEventMessage("OnMoteLButtonDown\r\n" + std::to_string(id) + "\r\n1\r\n1\r\n");
        host_->onEventMessage("OnMoteLButtonUp\r\n0\r\n");
    }
    EXPECT_THAT(library_->calls, Contains("_set_priority " + std::to_string(id) + " 2"));
    EXPECT_THAT(library_->calls, Contains("_set_priority " + std::to_string(id) + " 3"));
    EXPECT_EQ(stored(1, "Priority"), "3");
}

TEST_F(NoteHostTest, EventsForNoNoteChangeNothingStored) {
    start(kTwoNotes);
    const std::string before = file();
    // A missing id is -1, which free slots also hold: it must not raise or store a free slot.
    host_->onEventMessage("OnMoteLButtonDown\r\n\r\n5\r\n5\r\n");
    host_->onEventMessage("OnMoteMouseMove\r\n\r\n9\r\n9\r\n");  // (0, 0) again: no move
    host_->onEventMessage("OnMoteLButtonDown\r\n-1\r\n5\r\n5\r\n");
    host_->onEventMessage("OnMoteMouseMove\r\n-1\r\n9\r\n9\r\n");
    host_->onEventMessage("OnMoteLButtonUp\r\n");
    host_->onEventMessage("onmotelbuttondown\r\n0\r\n1\r\n1\r\n");
    host_->onEventMessage("OnMoteLButtonDoubleClick\r\n-1\r\n1\r\n1\r\n");
    EXPECT_EQ(file(), before);
    EXPECT_THAT(log_, ElementsAre("_move -1 4 4"));
}

TEST_F(NoteHostTest, RightClickPostsTheNoteMenuRequest) {
    start();
    host_->onEventMessage("OnMoteRButtonUp\r\n12\r\n3\r\n4\r\n");
    EXPECT_THAT(library_->take(), ElementsAre("post tray 12 517"));
    EXPECT_EQ(host_->noteMenuFlag(), 1);
    ui_->command = kNoCommand;
    host_->onTrayNotify(12, kRightButtonUp);
    EXPECT_EQ(ui_->menus.back().items.front().command, kEdit);
    EXPECT_EQ(host_->noteMenuFlag(), 0);
}

TEST_F(NoteHostTest, DoubleClickEditsBetweenFloatingOffAndRestore) {
    start(kTwoNotes);
    const std::int32_t id = host_->table().slots[1].moteId;
    const std::string click = "OnMoteLButtonDoubleClick\r\n" + std::to_string(id) + "\r\n";
    host_->onEventMessage(click);
    EXPECT_THAT(library_->take(), ElementsAre("_floating 0", "edit dialog 1", "_floating 1"));

    ui_->editDialog = [](int) { return true; };
    host_->onEventMessage(click);
    const auto calls = library_->take();
    EXPECT_EQ(calls[1], "edit dialog 1");
    EXPECT_EQ(calls[2], "_lock_draw");
    EXPECT_EQ(calls.back(), "_floating 1");
}

TEST_F(NoteHostTest, NoMenuOrDialogOpensInsideAnother) {
    start(kTwoNotes);
    const std::int32_t id = host_->table().slots[1].moteId;
    std::size_t menusSeen = 0;
    ui_->editDialog = [&](int) {
        host_->onEventMessage("OnMoteRButtonUp\r\n" + std::to_string(id) + "\r\n");
        host_->onTrayNotify(id, kRightButtonUp);
        host_->onEventMessage("OnMoteLButtonDoubleClick\r\n" + std::to_string(id) + "\r\n");
        // Dragging keeps working meanwhile.
        host_->onEventMessage("OnMoteLButtonDown\r\n" + std::to_string(id) + "\r\n1\r\n1\r\n");
        host_->onEventMessage("OnMoteLButtonUp\r\n");
        menusSeen = ui_->menus.size();
        return false;
    };
    host_->onEventMessage("OnMoteLButtonDoubleClick\r\n" + std::to_string(id) + "\r\n");
    EXPECT_EQ(menusSeen, 0u);
    EXPECT_EQ(host_->noteMenuFlag(), 0) << "a dropped request must not leave the flag set";
    EXPECT_EQ(std::count(library_->calls.begin(), library_->calls.end(), "edit dialog 1"), 1);
    EXPECT_THAT(library_->calls, Contains(::testing::StartsWith("_set_priority")));
    EXPECT_FALSE(host_->busy());
}

TEST_F(NoteHostTest, ClosingReleasesBitmapsThenTheLibraryOnce) {
    start(kTwoNotes);
    const std::string first = std::to_string(host_->table().slots[1].bitmap);
    const std::string second = std::to_string(host_->table().slots[3].bitmap);
    host_->closeMoteLibrary();
    EXPECT_THAT(log_, ElementsAre("_delete_bitmap " + first, "_delete_bitmap " + second,
                                  "(binding destroyed)"));
    EXPECT_EQ(host_->library(), nullptr);
    log_.clear();
    host_->closeMoteLibrary();
    host_->onEventMessage("OnMoteLButtonDown\r\n0\r\n1\r\n1\r\n");
    host_->onTrayNotify(testing::kTrayIconId, kLeftButtonUp);
    EXPECT_THAT(log_, IsEmpty());
    EXPECT_FALSE(host_->drag().active) << "events without a binding are ignored";
}

TEST_F(NoteHostTest, TheDesktopIsComparedEverySecondAndADisplayChangeBringsLostCardsBack) {
    testing::writeFileBytes(
        iniPath_,
        "[Husen1]\r\nID=0\r\nPosX=2500\r\nPosY=300\r\n"    // on a second monitor
        "[Husen2]\r\nID=1\r\nPosX=-900\r\nPosY=-80\r\n");  // left of and above the primary
    ui_ = std::make_unique<fakes::FakeUi>(log_);
    ui_->screens = {{0, 0, 1920, 1040}, {1920, 0, 3840, 1080}, {-1280, 0, 0, 1024}};
    auto library = std::make_unique<fakes::RecordingLibrary>(log_);
    library_ = library.get();
    host_ = std::make_unique<NoteHost>(iniPath_, *ui_, files_);
    host_->setDesktopExtent({3840, 1080});
    host_->loadSettings();
    host_->openMoteLibrary(std::move(library), 0x1234);
    EXPECT_THAT(library_->calls, Contains("_create 2500 300 0 0 0"));
    EXPECT_THAT(library_->calls, Contains("_create -900 0 0 0 0")) << "down onto the left monitor";
    library_->take();

    int reads = 0;
    DesktopExtent desktop{3840, 1080};
    auto read = [&] {
        ++reads;
        return desktop;
    };
    host_->onTimer(read);
    EXPECT_EQ(reads, 1);
    EXPECT_THAT(library_->take(), IsEmpty());

    // The second monitor is unplugged: the card comes the least way onto the primary one.
    ui_->screens = {{0, 0, 1920, 1040}, {-1280, 0, 0, 1024}};
    desktop = {1920, 1080};
    host_->onTimer(read);
    EXPECT_THAT(library_->take(), ElementsAre("_update_desktopsize", "_move 0 -880 0"));
    EXPECT_EQ(host_->table().slots[0].shownX, 1620);
    EXPECT_EQ(host_->table().slots[0].x, 2500) << "the stored place stays";
    host_->onTimer(read);
    EXPECT_THAT(library_->take(), IsEmpty()) << "no change, no call";

    // A rebuild keeps it where it can be reached; a press makes the shown place the stored one.
    rightClickNote(0, kRedText);
    EXPECT_THAT(library_->calls, Contains(::testing::StartsWith("_create 1620 300 ")));
    const std::int32_t id = host_->table().slots[0].moteId;
    host_->onEventMessage("OnMoteLButtonDown\r\n" + std::to_string(id) + "\r\n5\r\n5\r\n");
    host_->onEventMessage("OnMoteLButtonUp\r\n" + std::to_string(id) + "\r\n5\r\n5\r\n");
    EXPECT_EQ(stored(0, "PosX"), "1620");

    // A monitor above the left one: the note never moved is shown at its stored place again.
    ui_->screens = {{0, 0, 1920, 1040}, {-1280, 0, 0, 1024}, {-1280, -1024, 0, 0}};
    host_->onDisplayChange({1920, 1080});
    EXPECT_EQ(host_->table().slots[1].shownY, -80);
    EXPECT_EQ(host_->table().slots[0].shownX, 1620);
}

// The file held by another program, and writes that fail.

TEST_F(NoteHostTest, AFileHeldAtStartIsReadLaterAndANoteMadeMeanwhileTakesAFreeSlot) {
    const std::string utf8TwoNotes = "\xEF\xBB\xBF" + std::string(kTwoNotes);
    testing::writeFileBytes(iniPath_, utf8TwoNotes);
    files_.failReads = true;
    start();
    EXPECT_FALSE(host_->table().slots[1].inUse());
    rightClickTray(kCreateYellow);
    EXPECT_EQ(file(), utf8TwoNotes) << "nothing is written to a file that was not read";
    const std::string meanwhileFont = host_->table().slots[0].fontName;
    EXPECT_TRUE(host_->hasUnsavedChanges());
    waitSeconds(1);
    EXPECT_THAT(ui_->notices, IsEmpty()) << "a moment's hold is not worth a word";
    waitSeconds(1);
    EXPECT_THAT(ui_->notices, ElementsAre(Notice::kCannotRead));
    waitSeconds(3);
    EXPECT_EQ(ui_->notices.size(), 1u) << "said once";

    ui_->screens = {{0, 0, 1920, 1040}};
    host_->onDisplayChange({1920, 1080});
    files_.failReads = false;
    library_->take();
    waitSeconds(1);
    EXPECT_THAT(ui_->notices, ElementsAre(Notice::kCannotRead, Notice::kReadAgain));
    EXPECT_EQ(host_->table().workAreas.size(), 1u) << "the screens outlive the late read";
    EXPECT_THAT(library_->calls, Contains("_create 10 20 0 0 1"));
    EXPECT_THAT(library_->calls, Contains("_set_priority 0 2")) << "the new note stays in front";
    // The stored cards and the new note's place reach the screen together, at one release.
    int depth = 0;
    int releases = 0;
    for (const std::string& call : library_->calls) {
        if (call == "_lock_draw") ++depth;
        if (call == "_unlock_draw" && --depth == 0) ++releases;
        if (call.rfind("_set_priority", 0) == 0) {
            EXPECT_EQ(depth, 1) << "outside the batch";
        }
    }
    EXPECT_EQ(releases, 1);
    const NoteTable stored = reread();
    EXPECT_EQ(stored.slots[1].text, "hi");
    EXPECT_TRUE(stored.slots[3].inUse());
    EXPECT_TRUE(stored.slots[0].inUse()) << "the first free slot";
    EXPECT_EQ(stored.slots[0].color, kYellow);
    EXPECT_EQ(stored.slots[0].priority, 2);
    EXPECT_EQ(stored.slots[0].fontName, "recoded:" + meanwhileFont) << "into the file's UTF-8";
    EXPECT_FALSE(host_->hasUnsavedChanges());
}

TEST_F(NoteHostTest, ANoteMadeWhileAFullFileWasHeldWaitsForAnErasedSlot) {
    std::string full;
    for (int i = 1; i <= kSlotCount; ++i) full += "[Husen" + std::to_string(i) + "]\r\nID=0\r\n";
    testing::writeFileBytes(iniPath_, full);
    files_.failReads = true;
    start();
    rightClickTray(kCreateMagenta);
    const std::int32_t lateCard = host_->table().slots[0].moteId;
    files_.failReads = false;
    waitSeconds(1);
    EXPECT_THAT(ui_->notices, ElementsAre(Notice::kNoFreeSlot));
    EXPECT_TRUE(host_->hasUnsavedChanges());
    EXPECT_EQ(reread().slots[41].color, kCyan);

    ui_->eraseDialog = [](int) { return true; };
    rightClickNote(host_->table().slots[41].moteId, kErase);
    EXPECT_EQ(host_->table().slots[41].moteId, lateCard);
    EXPECT_EQ(reread().slots[41].color, kMagenta);
    EXPECT_FALSE(host_->hasUnsavedChanges());
}

TEST_F(NoteHostTest, TheDailyBackupIsMadeAtStartAndAFailedOneIsToldOnceAndHoldsUpNoSave) {
    start(kTwoNotes);
    const std::string backups = folder_.file("yorimemo-backup");
    EXPECT_EQ(testing::readFileBytes(backups + "/yorimemo-2026-12-07-TESTPC.ini"), kTwoNotes);

    ui_->now = {2026, 12, 8, 0, 0, 1};  // past midnight, the folder gone
    std::filesystem::remove_all(backups);
    files_.failFolders = true;
    rightClickTray(kCreateCyan);
    rightClickTray(kCreateYellow);
    EXPECT_THAT(ui_->notices, ElementsAre(Notice::kBackupFailed));
    EXPECT_EQ(ui_->noticeDetails[0].path, backups);
    EXPECT_EQ(reread().slots[2].color, kYellow) << "both notes saved";

    files_.failFolders = false;
    rightClickTray(kCreateMagenta);
    EXPECT_TRUE(testing::fileExists(backups + "/yorimemo-2026-12-08-TESTPC.ini"));
}

TEST_F(NoteHostTest, AFailedSaveIsToldOnceRetriedAndAskedAboutAtQuit) {
    start(kTwoNotes);
    files_.failRename = true;
    rightClickTray(kCreateCyan);
    host_->onEventMessage("OnMoteLButtonDown\r\n0\r\n5\r\n5\r\n");
    host_->onEventMessage("OnMoteLButtonUp\r\n0\r\n5\r\n5\r\n");
    EXPECT_THAT(ui_->notices, ElementsAre(Notice::kCannotSave));
    EXPECT_FALSE(reread().slots[0].inUse());

    rightClickTray(kQuit);
    EXPECT_THAT(log_, Contains("quit anyway?"));
    EXPECT_THAT(log_, Not(Contains("post quit"))) << "'no' keeps the program";

    files_.failRename = false;
    waitSeconds(2);
    EXPECT_THAT(ui_->notices, ElementsAre(Notice::kCannotSave, Notice::kSavedAgain));
    const NoteTable stored = reread();
    EXPECT_TRUE(stored.slots[0].inUse());
    EXPECT_GT(stored.slots[1].priority, stored.slots[0].priority) << "the press landed too";
    log_.clear();
    rightClickTray(kQuit);
    EXPECT_THAT(log_, Not(Contains("quit anyway?")));
    EXPECT_THAT(log_, Contains("post quit"));
}

TEST_F(NoteHostTest, TheEndOfTheSessionTriesOnceSilently) {
    start(kTwoNotes);
    files_.failRename = true;
    rightClickTray(kCreateCyan);
    files_.failRename = false;
    host_->onEndSession();
    EXPECT_TRUE(reread().slots[0].inUse());
    EXPECT_THAT(log_, Not(Contains("quit anyway?")));
}

TEST_F(NoteHostTest, ANoteTheLibraryRefusesKeepsItsStoredIdAndIsDrawnAgainLater) {
    start(kTwoNotes, {-1});
    EXPECT_EQ(reread().slots[1].moteId, 55) << "the stored id stays";
    EXPECT_EQ(host_->table().findCard(0), 3) << "the other note's card 0 is not the refused one";

    host_->onTrayNotify(testing::kTrayIconId, kLeftButtonUp);
    EXPECT_THAT(library_->calls, Contains("_create 10 20 0 0 1"));
    EXPECT_EQ(library_->calls.back(), "_redraw");
    EXPECT_TRUE(host_->table().slots[1].hasCard);
}

// Hiding every card, bringing back an erased note, starting at log-on.

TEST_F(NoteHostTest, HideAllHidesEveryCardUntilChosenAgainAndStoresNothing) {
    start(kTwoNotes);
    const std::string before = file();
    rightClickTray(kHideAll);
    EXPECT_FALSE(lastTrayItem(kHideAll).checked);
    EXPECT_THAT(library_->take(),
                ::testing::IsSupersetOf({"_lock_draw", "_hide 0", "_hide 1", "_unlock_draw"}));
    rightClickTray(kNoCommand);
    EXPECT_TRUE(lastTrayItem(kHideAll).checked);

    rightClickTray(kHideAll);
    const auto calls = library_->take();
    EXPECT_THAT(calls, ::testing::IsSupersetOf({"_show 0", "_show 1"}));
    EXPECT_THAT(calls, Not(Contains(::testing::StartsWith("_hide"))));
    rightClickTray(kNoCommand);
    EXPECT_FALSE(lastTrayItem(kHideAll).checked);
    EXPECT_EQ(file(), before);
}

TEST_F(NoteHostTest, WhileHiddenARebuiltCardStaysHiddenAndANewNoteShowsThemAll) {
    start(kTwoNotes, {-1});  // the note in slot 1 gets no card at first
    rightClickTray(kHideAll);
    library_->take();
    host_->onTrayNotify(testing::kTrayIconId, kLeftButtonUp);  // draws it again
    const auto rebuilt = library_->take();
    const std::string id = std::to_string(host_->table().slots[1].moteId);
    ASSERT_TRUE(host_->table().slots[1].hasCard);
    // Hidden before the outermost lock lets the new card reach the screen.
    const auto hide = std::find(rebuilt.begin(), rebuilt.end(), "_hide " + id);
    ASSERT_NE(hide, rebuilt.end());
    ASSERT_NE(hide + 1, rebuilt.end());
    EXPECT_EQ(*(hide + 1), "_unlock_draw");
    EXPECT_EQ(std::count(rebuilt.begin(), rebuilt.end(), "_lock_draw"),
              std::count(rebuilt.begin(), rebuilt.end(), "_unlock_draw"));

    rightClickTray(kCreateYellow);
    const auto created = library_->take();
    EXPECT_THAT(created, Contains("_show " + id));
    EXPECT_THAT(created, Not(Contains(::testing::StartsWith("_hide"))));
    rightClickTray(kNoCommand);
    EXPECT_FALSE(lastTrayItem(kHideAll).checked);
}

TEST_F(NoteHostTest, UndoEraseBringsBackTheLastErasedNoteWholeInFrontAndShowsAll) {
    start(
        "[Husen2]\r\nID=55\r\nPriority=40\r\nPosX=-10\r\nPosY=20\r\nWidth=420\r\nType=2\r\n"
        "FontName=Mono\r\nFontSize=14\r\nText=a\\nb\r\nTextRed=1\r\n"
        "[Husen4]\r\nID=0\r\nPriority=12\r\nText=later\r\n");
    rightClickTray(kNoCommand);
    EXPECT_TRUE(lastTrayItem(kUndoErase).greyed) << "nothing erased yet";
    ui_->eraseDialog = [](int) { return true; };
    rightClickNote(host_->table().slots[1].moteId, kErase);
    rightClickNote(host_->table().slots[3].moteId, kErase);
    rightClickTray(kHideAll);

    rightClickTray(kUndoErase);
    EXPECT_FALSE(lastTrayItem(kUndoErase).greyed);
    EXPECT_EQ(reread().slots[3].text, "later") << "the last erased first";
    EXPECT_FALSE(reread().slots[1].inUse());

    library_->take();
    rightClickTray(kUndoErase);
    const NoteTable stored = reread();
    const NoteSlot& back = stored.slots[1];
    EXPECT_TRUE(back.inUse());
    EXPECT_EQ(back.x, -10);
    EXPECT_EQ(back.y, 20);
    EXPECT_EQ(back.width, 420);
    EXPECT_EQ(back.color, kYellow);
    EXPECT_EQ(back.fontName, "Mono");
    EXPECT_EQ(back.fontSize, 14);
    EXPECT_EQ(back.text, "a\r\nb");
    EXPECT_EQ(back.textRed, 1);
    EXPECT_GT(back.priority, stored.slots[3].priority) << "in front";
    EXPECT_THAT(library_->calls,
                Contains("_create -10 20 0 0 " + std::to_string(host_->table().nextPriority - 1)));
    EXPECT_THAT(library_->calls, Not(Contains(::testing::StartsWith("_hide"))));

    rightClickTray(kNoCommand);
    EXPECT_TRUE(lastTrayItem(kUndoErase).greyed) << "nothing left to bring back";
    EXPECT_FALSE(lastTrayItem(kHideAll).checked) << "the first undo showed them all";
}

// The erased note lives in the file: a new start brings it back, even when no card can be made.
TEST_F(NoteHostTest, AnEraseSurvivesARestartAndARefusedCardStillBringsTheNoteBack) {
    start("[Husen3]\r\nID=9\r\nPriority=4\r\nPosX=70\r\nText=keep me\r\n[Husen5]\r\nID=1\r\n");
    const std::string storedId = stored(2, "ID");
    const std::string other = stored(4, "ID");
    ui_->eraseDialog = [](int) { return true; };
    rightClickNote(host_->table().slots[2].moteId, kErase);
    EXPECT_EQ(file().find("[Husen3]"), std::string::npos);
    EXPECT_NE(file().find("ErasedOn=2026-12-07 09:36:12\r\nSlot=3\r\n"), std::string::npos);
    EXPECT_EQ(stored(4, "ID"), other) << "other notes untouched";

    start("", {5, -1});  // a new run on the same file; the library refuses the second card
    rightClickTray(kNoCommand);
    EXPECT_FALSE(lastTrayItem(kUndoErase).greyed) << "the file's erased note";
    rightClickTray(kUndoErase);
    const NoteSlot& back = host_->table().slots[2];
    EXPECT_FALSE(back.hasCard);
    EXPECT_TRUE(back.inUse());
    EXPECT_EQ(stored(2, "ID"), storedId) << "saved under its stored ID";
    EXPECT_EQ(stored(2, "PosX"), "70");
    EXPECT_EQ(stored(2, "Text"), "keep me");
    EXPECT_EQ(file().find("[Erased"), std::string::npos) << "in one place only";
    rightClickTray(kNoCommand);
    EXPECT_TRUE(lastTrayItem(kUndoErase).greyed);
}

TEST_F(NoteHostTest, UndoEraseIsGreyedWhileEverySlotIsUsed) {
    std::string full;
    for (int i = 1; i <= kSlotCount; ++i) full += "[Husen" + std::to_string(i) + "]\r\nID=0\r\n";
    start(full);
    ui_->eraseDialog = [](int) { return true; };
    rightClickNote(host_->table().slots[41].moteId, kErase);
    rightClickTray(kCreateCyan);
    rightClickTray(kUndoErase);
    EXPECT_TRUE(lastTrayItem(kUndoErase).greyed);
    EXPECT_EQ(reread().slots[41].color, kCyan);
    EXPECT_EQ(reread().slots[41].text, "") << "the new note stays";

    rightClickNote(host_->table().slots[7].moteId, kErase);
    rightClickTray(kNoCommand);
    EXPECT_FALSE(lastTrayItem(kUndoErase).greyed);
}

TEST_F(NoteHostTest, StartAtLogOnIsAskedForItsMarkAndSwitched) {
    start();
    rightClickTray(kAutostart);
    EXPECT_FALSE(lastTrayItem(kAutostart).checked);
    EXPECT_THAT(log_, Contains("autostart on"));
    rightClickTray(kAutostart);
    EXPECT_TRUE(lastTrayItem(kAutostart).checked);
    EXPECT_THAT(log_, Contains("autostart off"));
    EXPECT_FALSE(ui_->autostart);
}

TEST_F(NoteHostTest, ChoosingANoteInTheListShowsAllRaisesItAndOpensItsDialog) {
    start(kTwoNotes);
    rightClickTray(kHideAll);
    library_->take();
    ui_->editDialog = [this](int slot) {
        host_->table().slots[slot].text = "edited";
        return true;
    };
    rightClickTray(static_cast<MenuCommand>(kListedNoteFirst + 3));
    const std::int32_t front = host_->table().slots[3].priority;
    EXPECT_GT(front, host_->table().slots[1].priority);
    EXPECT_THAT(
        library_->take(),
        ::testing::IsSupersetOf(std::vector<std::string>{
            "_show 0", "_show 1", "_set_priority 1 " + std::to_string(front), "edit dialog 3"}));
    EXPECT_EQ(stored(3, "Priority"), std::to_string(front));
    EXPECT_EQ(stored(3, "Text"), "edited");

    // A slot that holds no note (erased meanwhile) opens nothing.
    rightClickTray(static_cast<MenuCommand>(kListedNoteFirst + 0));
    EXPECT_THAT(library_->take(), Not(Contains("edit dialog 0")));
}

TEST_F(NoteHostTest, TheNoteShortcutFollowsTheSharedFileAndATakenOneIsSaidOnce) {
    start();
    EXPECT_THAT(library_->take(), Not(Contains("hold hot key")));  // off by default
    rightClickTray(kHotKey);
    EXPECT_TRUE(ui_->hotKeyHeld);
    EXPECT_NE(file().find("HotKey=On"), std::string::npos);
    rightClickTray(kNoCommand);
    EXPECT_TRUE(lastTrayItem(kHotKey).checked);

    // A yellow note in the middle of the monitor under the pointer, in its dialog at once.
    ui_->pointerScreen = {{1920, 0, 3840, 1040}, 96};
    library_->take();
    host_->onHotKey();
    EXPECT_THAT(library_->take(), Contains("edit dialog 0"));
    EXPECT_EQ(stored(0, "Type"), "2");
    EXPECT_EQ(stored(0, "PosX"), "2730");
    EXPECT_EQ(stored(0, "PosY"), "495");

    auto otherPcWrites = [this](const char* from, const char* to) {
        std::string text = file();
        text.replace(text.find(from), std::string(from).size(), to);
        testing::writeFileBytes(iniPath_, text);
        host_->onFolderChange();
    };
    otherPcWrites("HotKey=On", "HotKey=Off");
    EXPECT_FALSE(ui_->hotKeyHeld);
    EXPECT_THAT(library_->take(), Contains("release hot key"));

    // Switched on again where another program holds the shortcut: said once, the file kept.
    ui_->hotKeyFree = false;
    otherPcWrites("HotKey=Off", "HotKey=On");
    const std::string before = file();
    waitSeconds(3);
    EXPECT_EQ(std::count(ui_->notices.begin(), ui_->notices.end(), Notice::kHotKeyTaken), 1);
    rightClickTray(kNoCommand);
    EXPECT_FALSE(lastTrayItem(kHotKey).checked);
    host_->onHotKey();
    EXPECT_EQ(stored(1, "ID"), "(none)");
    EXPECT_EQ(file(), before);
}

}  // namespace
}  // namespace yorimemo
