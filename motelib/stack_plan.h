#pragma once
// Which mote windows move when the stack is put in priority order, and where to. Other
// programs' windows lie between the motes; every move lifts a mote over some of them, so as few
// motes move as the order allows, each right behind the mote in front of it. Only a mote whose
// priority was just set and that ends in front, and a mote just made (with the motes that belong
// in front of it), go to the top of their band; not when they were quiet (made or set because of
// something other than the user's act): a quiet front mote goes right in front of the mote behind
// it instead.

#include <cstdint>
#include <optional>
#include <set>
#include <vector>

namespace yorimemo::motelib {

struct StackMove {
    std::int32_t id = -1;
    std::optional<std::int32_t> behind;  // the mote it goes right behind; none: the top of its band
    std::optional<std::int32_t> over;    // instead, the mote it goes right in front of
    bool operator==(const StackMove& other) const {
        return id == other.id && behind == other.behind && over == other.over;
    }
};

struct StackChanges {
    std::set<std::int32_t> prioritySet;  // their priority was set since the last update
    std::set<std::int32_t> created;      // made since then, not in the place of a deleted mote
    std::set<std::int32_t> quiet;        // of those, the ones that come to no top
};

// `wanted`: every mote, front to back by priority; `current`: the motes as the window stack
// holds them now, front to back. The moves are to be made in the order given.
std::vector<StackMove> planStack(const std::vector<std::int32_t>& wanted,
                                 const std::vector<std::int32_t>& current,
                                 const StackChanges& changes);

}  // namespace yorimemo::motelib
