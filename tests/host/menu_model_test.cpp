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
        {wide("付箋の一覧(&L)"), false},
        {L"", false},
        {wide("常に手前に表示(&T)"), false},
        {wide("すべての付箋を隠す(&H)"), false},
        {wide("消去した付箋を元に戻す(&U)"), false},
        {L"", false},
        {wide("Windows の起動時に開始(&W)"), false},
        {wide("Ctrl+Alt+Y で新しい付箋(&K)"), false},
        {L"", false},
        {wide("終了(&Q)"), false},
    };
    EXPECT_EQ(shown(buildTrayMenu(table, {})), expected);
    const std::vector<MenuCommand> ids = {
        kCreateCyan, kCreateMagenta, kCreateYellow, kNoteList, kNoCommand, kAlwaysOnTop, kHideAll,
        kUndoErase,  kNoCommand,     kAutostart,    kHotKey,   kNoCommand, kQuit};
    std::vector<MenuCommand> actual;
    for (const auto& item : buildTrayMenu(table, {}).items) actual.push_back(item.command);
    EXPECT_EQ(actual, ids);
    // Without notes the list is greyed.
    EXPECT_EQ(withFlag(buildTrayMenu(table, {}), &MenuItem::greyed),
              (Commands{kNoteList, kUndoErase}));

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
    marks.hotKey = true;
    EXPECT_EQ(withFlag(buildTrayMenu(table, marks), &MenuItem::checked),
              (Commands{kAlwaysOnTop, kHotKey}));
    marks = {};
    marks.canUndoErase = true;
    table.slots[0].moteId = 0;
    EXPECT_EQ(withFlag(buildTrayMenu(table, marks), &MenuItem::greyed), Commands{});
}

// The tray's list of notes: which notes, in which order, under which labels.
struct ListedNote {
    int slot;
    std::int32_t priority;
    std::string text;  // UTF-8, as the file holds it
};

struct NoteListCase {
    const char* name;
    std::vector<ListedNote> notes;
    // Front first: the command and the label.
    std::vector<std::pair<int, std::wstring>> expected;
};

class NoteListTest : public ::testing::TestWithParam<NoteListCase> {};

TEST_P(NoteListTest, ListsNotesInUseFrontFirstWithTheirFirstLines) {
    NoteTable table;
    table.encoding = TextEncoding::kUtf8;
    table.slots[50].moteId = -1;  // free slots never show, whatever they hold
    table.slots[50].text = "erased";
    table.slots[50].priority = 1000;
    for (const ListedNote& note : GetParam().notes) {
        table.slots[note.slot].moteId = note.slot;
        table.slots[note.slot].priority = note.priority;
        table.slots[note.slot].text = note.text;
    }
    const MenuModel menu = buildTrayMenu(table, {});
    ASSERT_EQ(menu.items[3].command, kNoteList);
    std::vector<std::pair<int, std::wstring>> listed;
    for (const MenuItem& item : menu.items[3].submenu) {
        EXPECT_FALSE(item.checked || item.greyed || !item.submenu.empty());
        listed.emplace_back(item.command, item.text());
    }
    EXPECT_EQ(listed, GetParam().expected);
}

const std::string k30 = "123456789012345678901234567890";
const std::wstring k30w = wide(k30);

INSTANTIATE_TEST_SUITE_P(
    Cases, NoteListTest,
    ::testing::Values(
        NoteListCase{"FrontFirstEqualPrioritiesBySlot",
                     {{7, 3, "a"}, {2, 5, "b"}, {0, 3, "c"}, {99, -4, "d"}},
                     {{1002, L"b"}, {1000, L"c"}, {1007, L"a"}, {1099, L"d"}}},
        NoteListCase{"FirstLineOnly", {{1, 0, "買い物\r\n牛乳\r\n卵"}}, {{1001, wide("買い物")}}},
        NoteListCase{"LeadingLineBreaksSkipped", {{1, 0, "\r\n\r\n後で"}}, {{1001, wide("後で")}}},
        NoteListCase{"EmptyNote",
                     {{4, 0, ""}, {5, 0, "\r\n"}},
                     {{1004, wide("（空の付箋）")}, {1005, wide("（空の付箋）")}}},
        NoteListCase{"ThirtyCharactersKept", {{0, 0, k30}}, {{1000, k30w}}},
        NoteListCase{"LongerCutWithEllipsis",
                     {{0, 0, "日本語" + k30}},
                     {{1000, wide("日本語") + k30w.substr(0, 27) + L"\u2026"}}},
        NoteListCase{"AmpersandDoubledAfterCounting",
                     {{0, 0, "A&B\t" + k30}},
                     {{1000, L"A&&B " + k30w.substr(0, 26) + L"\u2026"}}},
        NoteListCase{"SurrogatePairNeverSplit",
                     {{0, 0, k30.substr(0, 29) + "😀x"}},
                     {{1000, k30w.substr(0, 29) + L"\u2026"}}},
        NoteListCase{"BrokenUtf8ShowsReplacement",
                     {{0, 0,
                       "a\xFF"
                       "b"}},
                     {{1000, L"a\uFFFDb"}}}),
    [](const auto& info) { return std::string(info.param.name); });

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
