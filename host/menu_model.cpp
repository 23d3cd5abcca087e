#include "host/menu_model.h"

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
        case kNoCommand:
            break;
    }
    return L"";
}

namespace {

constexpr MenuItem kSeparator{};

}  // namespace

MenuModel buildTrayMenu(const NoteTable& table, const TrayMarks& marks) {
    MenuModel menu;
    menu.items = {
        {kCreateCyan},
        {kCreateMagenta},
        {kCreateYellow},
        kSeparator,
        {kAlwaysOnTop, table.floating == 1},
        {kHideAll, marks.notesHidden},
        {kUndoErase, false, !marks.canUndoErase},
        kSeparator,
        {kAutostart, marks.autostart},
        kSeparator,
        {kQuit},
    };
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
