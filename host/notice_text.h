#pragma once
// What the tray balloons and the quit question say, in the user's language.

#include <string>
#include <string_view>

#include "host/host_ui.h"
#include "notes/multibyte_text.h"

namespace yorimemo {

struct NoticeText {
    std::string title;
    std::string body;  // names the settings file where it concerns it
    bool warning = false;
};

// Cut to what a balloon can hold without splitting a double-byte character.
NoticeText noticeText(Notice notice, std::string_view iniPath, LeadBytePredicate isLeadByte);

// Asked when the user quits while changes could not be saved.
const char* quitUnsavedQuestion();

}  // namespace yorimemo
