#pragma once
// What the tray balloons, the quit question and the edit dialog's refusal say, in the user's
// language.

#include <string>
#include <string_view>

#include "host/host_ui.h"

namespace yorimemo {

struct NoticeText {
    std::wstring title;
    std::wstring body;  // names the settings file where it concerns it
    bool warning = false;
};

// Cut to what a balloon can hold without splitting a character. `count` and `path` are the
// notice's detail where it has one.
NoticeText noticeText(Notice notice, std::wstring_view iniPath, int count = 0,
                      std::wstring_view path = {});

// Asked when the user quits while changes could not be saved.
const wchar_t* quitUnsavedQuestion();

// Why a typed text cannot be stored: names each of `characters` (as EncodeText lists them, a
// surrogate pair being one character).
std::wstring unstorableTextMessage(std::wstring_view characters);

}  // namespace yorimemo
