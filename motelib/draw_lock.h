#pragma once
// Collects the screen work of a rebuild so that it reaches the screen once, when the outermost
// lock is released. Without a lock the work is due at once.

#include <cstdint>
#include <set>
#include <utility>
#include <vector>

#include "motelib/stack_plan.h"

namespace yorimemo::motelib {

class DrawLock {
public:
    struct Pending {
        std::vector<std::int32_t> dirty;  // motes whose window must show their current state
        bool restack = false;             // the stacking order must be checked
        StackChanges stack;               // what decides which motes move in it
    };

    void lock() { ++depth_; }
    // True when this call released the outermost lock; an unmatched unlock is ignored.
    bool unlock() {
        if (depth_ == 0) return false;
        return --depth_ == 0;
    }
    bool held() const { return depth_ > 0; }

    void markDirty(std::int32_t id) { dirty_.insert(id); }
    void markRestack() { restack_ = true; }
    // `quiet`: not the user's act. A mote the user touched under the same lock stays loud.
    void markPrioritySet(std::int32_t id, bool quiet = false) {
        mark(stack_.prioritySet, id, quiet);
    }
    void markCreated(std::int32_t id, bool quiet = false) { mark(stack_.created, id, quiet); }
    // Hands over the collected work and forgets it.
    Pending take() {
        Pending pending{std::vector<std::int32_t>(dirty_.begin(), dirty_.end()), restack_,
                        std::move(stack_)};
        dirty_.clear();
        restack_ = false;
        stack_ = {};
        return pending;
    }

private:
    void mark(std::set<std::int32_t>& marks, std::int32_t id, bool quiet) {
        const bool loudBefore =
            (stack_.prioritySet.count(id) != 0 || stack_.created.count(id) != 0) &&
            stack_.quiet.count(id) == 0;
        marks.insert(id);
        if (!quiet) {
            stack_.quiet.erase(id);
        } else if (!loudBefore) {
            stack_.quiet.insert(id);
        }
        restack_ = true;
    }

    unsigned depth_ = 0;
    std::set<std::int32_t> dirty_;
    bool restack_ = false;
    StackChanges stack_;
};

}  // namespace yorimemo::motelib
