#include "host/menu_model.h"

namespace yorimemo {

const char* menuText(MenuCommand command) {
    switch (command) {
        case kQuit:
            return "\x8FI\x97\xB9(&Q)";  // 終了(&Q)
        case kCreateCyan:
            return "\x83V\x83"
                   "A\x83\x93\x95t\xE2\xB3\x82\xF0\x8D\xEC\x90\xAC(&C)";  // シアン付箋を作成(&C)
        case kCreateMagenta:
            return "\x83}\x83[\x83\x93\x83^\x95t\xE2\xB3\x82\xF0\x8D\xEC\x90\xAC(&M)";  // マゼンタ付箋を作成(&M)
        case kCreateYellow:
            return "\x83"
                   "C\x83G\x83\x8D\x81[\x95t\xE2\xB3\x82\xF0\x8D\xEC\x90\xAC(&Y)";  // イエロー付箋を作成(&Y)
        case kEdit:
            return "\x95\xD2\x8FW(&E)...";  // 編集(&E)...
        case kRedText:
            return "\x95\xB6\x8E\x9A\x90"
                   "F\x83\x8C\x83"
                   "b\x83h(&R)";  // 文字色レッド(&R)
        case kColorCyan:
            return "\x83V\x83"
                   "A\x83\x93(&C)";  // シアン(&C)
        case kColorMagenta:
            return "\x83}\x83[\x83\x93\x83^(&M)";  // マゼンタ(&M)
        case kColorYellow:
            return "\x83"
                   "C\x83G\x83\x8D\x81[(&Y)";  // イエロー(&Y)
        case kErase:
            return "\x8F\xC1\x8B\x8E(&D)";  // 消去(&D)
        case kAlwaysOnTop:
            return "\x8F\xED\x82\xC9\x8E\xE8\x91O\x82\xC9\x95\x5C\x8E\xA6(&T)";  // 常に手前に表示(&T)
        case kHideAll:
            return "\x82\xB7\x82\xD7\x82\xC4\x82\xCC\x95t\xE2\xB3\x82\xF0\x89"
                   "B\x82\xB7(&H)";  // すべての付箋を隠す(&H)
        case kUndoErase:
            return "\x8F\xC1\x8B\x8E\x82\xB5\x82\xBD\x95t\xE2\xB3\x82\xF0\x8C\xB3\x82\xC9\x96\xDF"
                   "\x82\xB7(&U)";  // 消去した付箋を元に戻す(&U)
        case kAutostart:
            return "Windows \x82\xCC\x8BN\x93\xAE"
                   "\x8E\x9E\x82\xC9\x8AJ\x8En(&W)";  // Windows の起動時に開始(&W)
        case kNoCommand:
            break;
    }
    return "";
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
