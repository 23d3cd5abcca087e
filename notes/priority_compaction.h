#pragma once
// Brings the priorities of the notes in use to 0, 1, 2, ... in stacking order.

#include <cstdint>

#include "notes/note_table.h"

namespace yorimemo {

// Each slot in use gets the rank of its priority among the distinct priorities in use, so ties
// stay ties and no value is skipped; free slots are not touched. Returns the number of distinct
// priorities, which is the next priority to hand out.
std::int32_t compactPriorities(NoteTable& table);

}  // namespace yorimemo
