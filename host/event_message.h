#pragma once
// The text messages the library sends about mouse actions on notes: CR LF terminated lines holding
// the event name, the mote id and the pointer's screen position.

#include <optional>
#include <string>
#include <string_view>

#include "mote/event_fields.h"

namespace yorimemo {

// Line k of the text when lines 0..k are all present, non-empty and ended by CR LF.
std::optional<std::string> eventLine(std::string_view text, int k);

// Empties the fields, then fills them with the message's leading run of lines (ten at most).
// The text ends at its first zero byte.
void splitEventMessage(std::string_view payload, EventFields& fields);

}  // namespace yorimemo
