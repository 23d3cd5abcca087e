#include "host/menu_model.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>
#include <vector>

namespace yorimemo {
namespace {

// The expected texts are written here in UTF-8 and converted, so the Shift-JIS bytes in the
// program are checked against an independent encoder.
std::string shiftJis(const std::string& utf8) {
    iconv_t converter = iconv_open("CP932", "UTF-8");
    std::string in = utf8;
    std::string out(in.size() * 2, '\0');
    char* inPtr = in.data();
    char* outPtr = out.data();
    std::size_t inLeft = in.size();
    std::size_t outLeft = out.size();
    const std::size_t result = iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(converter);
    EXPECT_NE(result, static_cast<std::size_t>(-1)) << utf8;
    out.resize(out.size() - outLeft);
    return out;
}

struct Shown {
    std::string text;  // empty for a separator
    bool checked;
    bool operator==(const Shown& other) const {
        return text == other.text && checked == other.checked;
    }
};

std::vector<Shown> shown(const MenuModel& menu) {
    std::vector<Shown> result;
    for (const MenuItem& item : menu.items) {
        result.push_back({item.isSeparator() ? "" : menuText(item.command), item.checked});
    }
    return result;
}

// The commands whose item has `flag` set: &MenuItem::checked or &MenuItem::greyed.
std::vector<MenuCommand> withFlag(const MenuModel& menu, bool MenuItem::*flag) {
    std::vector<MenuCommand> result;
    for (const MenuItem& item : menu.items) {
        if (item.*flag) result.push_back(item.command);
    }
    return result;
}

using Commands = std::vector<MenuCommand>;

TEST(MenuModelTest, TrayMenuItemsInOrderAndTheirMarks) {
    NoteTable table;
    const std::vector<Shown> expected = {
        {shiftJis("シアン付箋を作成(&C)"), false},
        {shiftJis("マゼンタ付箋を作成(&M)"), false},
        {shiftJis("イエロー付箋を作成(&Y)"), false},
        {"", false},
        {shiftJis("常に手前に表示(&T)"), false},
        {shiftJis("すべての付箋を隠す(&H)"), false},
        {shiftJis("消去した付箋を元に戻す(&U)"), false},
        {"", false},
        {shiftJis("Windows の起動時に開始(&W)"), false},
        {"", false},
        {shiftJis("終了(&Q)"), false},
    };
    EXPECT_EQ(shown(buildTrayMenu(table, {})), expected);
    const std::vector<MenuCommand> ids = {kCreateCyan,  kCreateMagenta, kCreateYellow, kNoCommand,
                                          kAlwaysOnTop, kHideAll,       kUndoErase,    kNoCommand,
                                          kAutostart,   kNoCommand,     kQuit};
    std::vector<MenuCommand> actual;
    for (const auto& item : buildTrayMenu(table, {}).items) actual.push_back(item.command);
    EXPECT_EQ(actual, ids);
    EXPECT_EQ(withFlag(buildTrayMenu(table, {}), &MenuItem::greyed), Commands{kUndoErase});

    table.floating = 1;
    TrayMarks marks;
    marks.notesHidden = true;
    EXPECT_EQ(withFlag(buildTrayMenu(table, marks), &MenuItem::checked),
              (Commands{kAlwaysOnTop, kHideAll}));
    marks = {};
    marks.autostart = true;
    EXPECT_EQ(withFlag(buildTrayMenu(table, marks), &MenuItem::checked),
              (Commands{kAlwaysOnTop, kAutostart}));
    marks = {};
    marks.canUndoErase = true;
    EXPECT_EQ(withFlag(buildTrayMenu(table, marks), &MenuItem::greyed), Commands{});
}

TEST(MenuModelTest, NoteMenuOfAMagentaNoteWithRedText) {
    NoteTable table;
    table.floating = 1;
    table.slots[4].moteId = 12;
    table.slots[4].hasCard = true;
    table.slots[4].color = kMagenta;
    table.slots[4].textRed = 1;
    const std::vector<Shown> expected = {
        {shiftJis("編集(&E)..."), false},       {"", false},
        {shiftJis("文字色レッド(&R)"), true},   {"", false},
        {shiftJis("シアン(&C)"), false},        {shiftJis("マゼンタ(&M)"), true},
        {shiftJis("イエロー(&Y)"), false},      {"", false},
        {shiftJis("消去(&D)"), false},          {"", false},
        {shiftJis("常に手前に表示(&T)"), true}, {"", false},
        {shiftJis("終了(&Q)"), false},
    };
    EXPECT_EQ(shown(buildNoteMenu(table, 12)), expected);
    EXPECT_EQ(withFlag(buildNoteMenu(table, 12), &MenuItem::greyed), Commands{});
}

TEST(MenuModelTest, MarksFollowExactValuesOnly) {
    NoteTable table;
    table.floating = 2;  // only exactly 1 counts as on
    table.slots[0].moteId = 3;
    table.slots[0].hasCard = true;
    table.slots[0].textRed = 2;
    table.slots[0].color = static_cast<NoteColor>(5);
    for (const MenuModel& menu : {buildNoteMenu(table, 3), buildNoteMenu(table, 99)}) {
        for (const MenuItem& item : menu.items) EXPECT_FALSE(item.checked) << item.command;
    }
    table.slots[0].color = kYellow;
    const MenuModel menu = buildNoteMenu(table, 3);
    EXPECT_TRUE(menu.items[6].checked);
    EXPECT_EQ(menu.items[6].command, kColorYellow);
}

}  // namespace
}  // namespace yorimemo
