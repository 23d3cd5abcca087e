#include "notes/priority_compaction.h"

#include <algorithm>
#include <vector>

namespace yorimemo {

std::int32_t compactPriorities(NoteTable& table) {
    // Ranks need only comparisons, so no spread of priorities can overflow.
    std::vector<std::int32_t> distinct;
    distinct.reserve(table.slots.size());
    for (const NoteSlot& slot : table.slots) {
        if (slot.inUse()) distinct.push_back(slot.priority);
    }
    std::sort(distinct.begin(), distinct.end());
    distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
    for (NoteSlot& slot : table.slots) {
        if (!slot.inUse()) continue;
        const auto rank = std::lower_bound(distinct.begin(), distinct.end(), slot.priority);
        slot.priority = static_cast<std::int32_t>(rank - distinct.begin());
    }
    return static_cast<std::int32_t>(distinct.size());
}

}  // namespace yorimemo
