#include "host/menu_model.h"

#include <algorithm>

#include "text/utf16.h"

namespace yorimemo {

const wchar_t* menuText(MenuCommand command) {
    switch (command) {
        case kQuit:
            return L"\u7D42\u4E86(&Q)";  // 終了(&Q)
        case kCreateCyan:
            return L"\u30B7\u30A2\u30F3\u4ED8\u7B8B\u3092\u4F5C\u6210(&C)";  // シアン付箋を作成(&C)
        case kCreateMagenta:
            return L"\u30DE\u30BC\u30F3\u30BF\u4ED8\u7B8B\u3092\u4F5C\u6210(&M)";  // マゼンタ付箋を作成(&M)
        case kCreateYellow:
            return L"\u30A4\u30A8\u30ED\u30FC\u4ED8\u7B8B\u3092\u4F5C\u6210(&Y)";  // イエロー付箋を作成(&Y)
        case kEdit:
            return L"\u7DE8\u96C6(&E)...";  // 編集(&E)...
        case kRedText:
            return L"\u6587\u5B57\u8272\u30EC\u30C3\u30C9(&R)";  // 文字色レッド(&R)
        case kColorCyan:
            return L"\u30B7\u30A2\u30F3(&C)";  // シアン(&C)
        case kColorMagenta:
            return L"\u30DE\u30BC\u30F3\u30BF(&M)";  // マゼンタ(&M)
        case kColorYellow:
            return L"\u30A4\u30A8\u30ED\u30FC(&Y)";  // イエロー(&Y)
        case kErase:
            return L"\u6D88\u53BB(&D)";  // 消去(&D)
        case kAlwaysOnTop:
            return L"\u5E38\u306B\u624B\u524D\u306B\u8868\u793A(&T)";  // 常に手前に表示(&T)
        case kHideAll:
            return L"\u3059\u3079\u3066\u306E\u4ED8\u7B8B\u3092\u96A0\u3059(&H)";  // すべての付箋を隠す(&H)
        case kUndoErase:
            return L"\u6D88\u53BB\u3057\u305F\u4ED8\u7B8B\u3092\u5143\u306B\u623B\u3059(&U)";  // 消去した付箋を元に戻す(&U)
        case kAutostart:
            return L"Windows \u306E\u8D77\u52D5\u6642\u306B\u958B\u59CB(&W)";  // Windows
                                                                               // の起動時に開始(&W)
        case kNoteList:
            return L"\u4ED8\u7B8B\u306E\u4E00\u89A7(&L)";  // 付箋の一覧(&L)
        case kHotKey:
            // Ctrl+Alt+Y で新しい付箋(&K)
            return L"Ctrl+Alt+Y \u3067\u65B0\u3057\u3044\u4ED8\u7B8B(&K)";
        case kListedNoteFirst:
        case kListedNoteLast:
        case kNoCommand:
            break;
    }
    return L"";
}

namespace {

const MenuItem kSeparator{};

constexpr std::size_t kLabelLength = 30;

std::vector<MenuItem> noteList(const NoteTable& table, const TrayMarks& marks) {
    std::vector<MenuItem> items;
    for (const int slot : notesFrontFirst(table)) {
        const std::string& text = table.slots[slot].text;
        MenuItem item{static_cast<MenuCommand>(kListedNoteFirst + slot)};
        item.label = noteListLabel(marks.utf8Text ? marks.utf8Text(text) : text);
        items.push_back(std::move(item));
    }
    return items;
}

}  // namespace

std::wstring noteListLabel(std::string_view utf8Text) {
    // Line breaks before the first text are skipped, so a note that starts with one is not blank.
    const std::size_t start = std::min(utf8Text.find_first_not_of("\r\n"), utf8Text.size());
    const std::string_view first = utf8Text.substr(start);
    std::wstring line = Utf16FromUtf8(first.substr(0, first.find_first_of("\r\n")));
    if (line.empty()) return L"\uFF08\u7A7A\u306E\u4ED8\u7B8B\uFF09";  // （空の付箋）
    std::replace(line.begin(), line.end(), L'\t', L' ');
    const std::wstring_view kept = PrefixWithin(line, kLabelLength);
    std::wstring label;
    for (const wchar_t unit : kept) {
        label.push_back(unit);
        if (unit == L'&') label.push_back(L'&');
    }
    if (kept.size() < line.size()) label.push_back(L'\u2026');
    return label;
}

std::vector<int> notesFrontFirst(const NoteTable& table) {
    std::vector<int> slots;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (table.slots[slot].inUse()) slots.push_back(slot);
    }
    std::stable_sort(slots.begin(), slots.end(), [&table](int a, int b) {
        return table.slots[a].priority > table.slots[b].priority;
    });
    return slots;
}

MenuModel buildTrayMenu(const NoteTable& table, const TrayMarks& marks) {
    MenuModel menu;
    menu.items = {
        {kCreateCyan},
        {kCreateMagenta},
        {kCreateYellow},
        {kNoteList},
        kSeparator,
        {kAlwaysOnTop, table.floating == 1},
        {kHideAll, marks.notesHidden},
        {kUndoErase, false, !marks.canUndoErase},
        kSeparator,
        {kAutostart, marks.autostart},
        {kHotKey, marks.hotKey},
        kSeparator,
        {kQuit},
    };
    MenuItem& list = menu.items[3];
    list.submenu = noteList(table, marks);
    list.greyed = list.submenu.empty();
    return menu;
}

MenuModel buildNoteMenu(const NoteTable& table, std::int32_t moteId) {
    bool red = false;
    NoteColor color = static_cast<NoteColor>(-1);
    const int slot = table.findCard(moteId);
    if (slot >= 0) {
        red = table.slots[slot].textRed == 1;
        color = table.slots[slot].color;
    }
    MenuModel menu;
    menu.items = {
        {kEdit, false},
        kSeparator,
        {kRedText, red},
        kSeparator,
        {kColorCyan, color == kCyan},
        {kColorMagenta, color == kMagenta},
        {kColorYellow, color == kYellow},
        kSeparator,
        {kErase, false},
        kSeparator,
        {kAlwaysOnTop, table.floating == 1},
        kSeparator,
        {kQuit, false},
    };
    return menu;
}

}  // namespace yorimemo
