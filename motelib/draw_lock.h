#pragma once
// Collects the screen work of a rebuild so that it reaches the screen once, when the outermost
// lock is released. Without a lock the work is due at once.

#include <cstdint>
#include <set>
#include <vector>

namespace yorimemo::motelib {

class DrawLock {
public:
    struct Pending {
        std::vector<std::int32_t> dirty;  // motes whose window must show their current state
        bool restack = false;             // the stacking order must be applied again
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
    // Hands over the collected work and forgets it.
    Pending take() {
        Pending pending{std::vector<std::int32_t>(dirty_.begin(), dirty_.end()), restack_};
        dirty_.clear();
        restack_ = false;
        return pending;
    }

private:
    unsigned depth_ = 0;
    std::set<std::int32_t> dirty_;
    bool restack_ = false;
};

}  // namespace yorimemo::motelib
