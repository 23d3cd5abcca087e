#pragma once
// The live motes: ids, positions and stacking order. `View` is what the platform keeps per mote
// (its window and image); it must be default-constructible and movable.

#include <algorithm>
#include <cstdint>
#include <limits>
#include <map>
#include <optional>
#include <vector>

namespace yorimemo::motelib {

// Coordinates clamp at the ends of the 32-bit range instead of wrapping.
inline std::int32_t saturatingAdd(std::int32_t a, std::int32_t b) {
    const std::int64_t sum = std::int64_t{a} + b;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        sum, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

template <typename View>
class MoteSet {
public:
    struct Mote {
        std::int32_t id = -1;
        std::int32_t x = 0;
        std::int32_t y = 0;
        std::int32_t priority = 0;
        std::uint64_t raisedAt = 0;  // equal priorities: the one raised last lies in front
        View view{};
    };

    explicit MoteSet(std::int32_t firstId = 0) : nextId_(firstId < 0 ? 0 : firstId) {}

    // Returns the new mote's id, 0 or more and unlike every live one; -1 when none is left.
    std::int32_t add(std::int32_t x, std::int32_t y, std::int32_t priority) {
        if (motes_.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
            return -1;
        }
        while (motes_.count(nextId_) != 0) advanceId();
        const std::int32_t id = nextId_;
        advanceId();
        Mote& mote = motes_[id];
        mote.id = id;
        mote.x = x;
        mote.y = y;
        mote.priority = priority;
        mote.raisedAt = ++raiseCount_;
        return id;
    }

    Mote* find(std::int32_t id) {
        const auto it = motes_.find(id);
        return it == motes_.end() ? nullptr : &it->second;
    }

    // Hands back the removed mote's view so the caller decides when it goes.
    std::optional<View> remove(std::int32_t id) {
        const auto it = motes_.find(id);
        if (it == motes_.end()) return std::nullopt;
        std::optional<View> view(std::move(it->second.view));
        motes_.erase(it);
        return view;
    }

    bool setPriority(std::int32_t id, std::int32_t priority) {
        Mote* mote = find(id);
        if (mote == nullptr) return false;
        mote->priority = priority;
        mote->raisedAt = ++raiseCount_;
        return true;
    }

    bool move(std::int32_t id, std::int32_t dx, std::int32_t dy) {
        Mote* mote = find(id);
        if (mote == nullptr) return false;
        mote->x = saturatingAdd(mote->x, dx);
        mote->y = saturatingAdd(mote->y, dy);
        return true;
    }

    std::vector<std::int32_t> frontToBack() const {
        std::vector<const Mote*> order;
        order.reserve(motes_.size());
        for (const auto& entry : motes_) order.push_back(&entry.second);
        std::sort(order.begin(), order.end(), [](const Mote* a, const Mote* b) {
            if (a->priority != b->priority) return a->priority > b->priority;
            return a->raisedAt > b->raisedAt;
        });
        std::vector<std::int32_t> ids;
        ids.reserve(order.size());
        for (const Mote* mote : order) ids.push_back(mote->id);
        return ids;
    }

    std::vector<std::int32_t> ids() const {
        std::vector<std::int32_t> result;
        result.reserve(motes_.size());
        for (const auto& entry : motes_) result.push_back(entry.first);
        return result;
    }

    std::size_t size() const { return motes_.size(); }
    void clear() { motes_.clear(); }

private:
    void advanceId() {
        nextId_ = nextId_ == std::numeric_limits<std::int32_t>::max() ? 0 : nextId_ + 1;
    }

    std::map<std::int32_t, Mote> motes_;
    std::int32_t nextId_;
    std::uint64_t raiseCount_ = 0;
};

}  // namespace yorimemo::motelib
