#include "host/menu_model.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>
#include <vector>

#include "host/notice_text.h"

namespace yorimemo {
namespace {

// The expected texts are written here in UTF-8 and converted, so the program's wide texts are
// checked against an independent decoder.
std::wstring wide(const std::string& utf8) {
    iconv_t converter = iconv_open("WCHAR_T", "UTF-8");
    std::string in = utf8;
    std::wstring out(in.size(), L'\0');
    char* inPtr = in.data();
    char* outPtr = reinterpret_cast<char*>(out.data());
    std::size_t inLeft = in.size();
    std::size_t outLeft = out.size() * sizeof(wchar_t);
    const std::size_t result = iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(converter);
    EXPECT_NE(result, static_cast<std::size_t>(-1)) << utf8;
    out.resize(out.size() - outLeft / sizeof(wchar_t));
    return out;
}

struct Shown {
    std::wstring text;  // empty for a separator
    bool checked;
    bool operator==(const Shown& other) const {
        return text == other.text && checked == other.checked;
    }
};

std::vector<Shown> shown(const MenuModel& menu) {
    std::vector<Shown> result;
    for (const MenuItem& item : menu.items) {
        result.push_back({item.isSeparator() ? L"" : menuText(item.command), item.checked});
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
        {wide("シアン付箋を作成(&C)"), false},
        {wide("マゼンタ付箋を作成(&M)"), false},
        {wide("イエロー付箋を作成(&Y)"), false},
        {L"", false},
        {wide("常に手前に表示(&T)"), false},
        {wide("すべての付箋を隠す(&H)"), false},
        {wide("消去した付箋を元に戻す(&U)"), false},
        {L"", false},
        {wide("Windows の起動時に開始(&W)"), false},
        {L"", false},
        {wide("終了(&Q)"), false},
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
        {wide("編集(&E)..."), false},       {L"", false},
        {wide("文字色レッド(&R)"), true},   {L"", false},
        {wide("シアン(&C)"), false},        {wide("マゼンタ(&M)"), true},
        {wide("イエロー(&Y)"), false},      {L"", false},
        {wide("消去(&D)"), false},          {L"", false},
        {wide("常に手前に表示(&T)"), true}, {L"", false},
        {wide("終了(&Q)"), false},
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

// The other texts the user reads.
TEST(NoticeTextTest, UnstorableCharactersAreNamedOnceEachInBrackets) {
    const std::wstring smile = {wchar_t(0xD83D), wchar_t(0xDE00)};
    EXPECT_EQ(
        unstorableTextMessage(smile + L"\u00E9"),
        wide("次の文字は付箋のファイルに保存できません:\n") + wide("「") + smile +
            wide("」「é」\n取り除くか、ほかの文字に書き換えてから「完了」を押してください。"));
}

TEST(NoticeTextTest, ABalloonNamesTheFileAndIsCutWithoutSplittingACharacter) {
    const NoticeText shortPath = noticeText(Notice::kCannotSave, L"C:\\memo\\yorimemo.ini");
    EXPECT_EQ(shortPath.title, wide("付箋を保存できません"));
    EXPECT_EQ(shortPath.body, wide("変更は、保存できるまで再試行します。\nC:\\memo\\yorimemo.ini"));
    EXPECT_TRUE(shortPath.warning);

    // The body holds 255 units: a pair that would end on unit 256 goes whole.
    const std::wstring body = wide("変更は、保存できるまで再試行します。\n");
    const std::wstring path =
        std::wstring(254 - body.size(), L'd') + wchar_t(0xD83D) + wchar_t(0xDE00) + L".ini";
    EXPECT_EQ(noticeText(Notice::kCannotSave, path).body, body + path.substr(0, 254 - body.size()));
}

}  // namespace
}  // namespace yorimemo
