#pragma once
// What the interaction tests share: note sections to start from, the dialogs' captions, the
// cards' fill colours, and finding a note's window and id while the program runs.

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>

#include "tests/e2e/harness_win32.h"

namespace yorimemo::e2e {

// Code page 932.
inline constexpr char kEditCaption[] = "\x95\xD2\x8F\x57";                   // 編集
inline constexpr char kEraseCaption[] = "\x8F\xC1\x8B\x8E\x8A\x6D\x94\x46";  // 消去確認
inline constexpr char kDefaultFont[] = "\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E";

inline constexpr std::uint32_t kCyanFill = 0x7FFFFF;
inline constexpr std::uint32_t kMagentaFill = 0xFF7FFF;
inline constexpr std::uint32_t kYellowFill = 0xFFFF7F;

// Dialog controls.
inline constexpr int kTextField = 1000;
inline constexpr int kRedBox = 1002;
inline constexpr int kCyanButton = 1003;
inline constexpr int kMagentaButton = 1004;
inline constexpr int kYellowButton = 1005;
inline constexpr int kFontSizeField = 1006;
inline constexpr int kFontFaceList = 1007;

struct NoteSpec {
    int slot = 0;
    int x = 0;
    int y = 0;
    int width = 300;
    int type = 0;
    int priority = 0;
    int fontSize = 9;
    int red = 0;
    std::string text;  // as stored: line breaks written as backslash and "n"
};

// A note of the defaults in `slot` at `x`, `y`, holding `text`.
inline NoteSpec noteAt(int slot, int x, int y, std::string text = "") {
    NoteSpec note;
    note.slot = slot;
    note.x = x;
    note.y = y;
    note.text = std::move(text);
    return note;
}

inline std::string noteSection(const NoteSpec& note) {
    return "[Husen" + std::to_string(note.slot + 1) + "]\r\nID=" + std::to_string(note.slot) +
           "\r\nPriority=" + std::to_string(note.priority) + "\r\nPosX=" + std::to_string(note.x) +
           "\r\nPosY=" + std::to_string(note.y) + "\r\nWidth=" + std::to_string(note.width) +
           "\r\nType=" + std::to_string(note.type) + "\r\nFontName=" + kDefaultFont +
           "\r\nFontSize=" + std::to_string(note.fontSize) + "\r\nText=" + note.text +
           "\r\nTextRed=" + std::to_string(note.red) + "\r\n";
}

inline std::string section(int slot) {
    return "Husen" + std::to_string(slot + 1);
}

// The mote id the program saved for a slot at its start.
inline int noteId(const ProgramFolder& folder, int slot) {
    return std::atoi(iniValue(folder.ini(), section(slot), "ID", "-1").c_str());
}

inline RECT desktopRect() {
    RECT rect{};
    ::GetWindowRect(::GetDesktopWindow(), &rect);
    return rect;
}

// The note window whose top-left corner is there.
inline std::optional<MoteWindow> moteAt(RunningProgram& program, LONG left, LONG top) {
    for (const MoteWindow& mote : program.motes()) {
        if (mote.rect.left == left && mote.rect.top == top) return mote;
    }
    return std::nullopt;
}

inline RECT windowRect(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return rect;
}

}  // namespace yorimemo::e2e
