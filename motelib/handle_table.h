#pragma once
// Objects handed out to callers as opaque non-zero handles. A handle is looked up on every use,
// so a stale or made-up one finds nothing instead of a freed object; handles are not reused
// until the counter wraps.

#include <cstdint>
#include <limits>
#include <map>

namespace yorimemo::motelib {

template <typename T>
class HandleTable {
public:
    using Handle = std::intptr_t;

    explicit HandleTable(Handle first = 1) : next_(first) {}

    Handle add(T value) {
        while (next_ <= 0 || items_.count(next_) != 0) {
            next_ = next_ == std::numeric_limits<Handle>::max() ? 1 : next_ + 1;
        }
        const Handle handle = next_;
        next_ = handle == std::numeric_limits<Handle>::max() ? 1 : handle + 1;
        items_.emplace(handle, std::move(value));
        return handle;
    }

    T* find(Handle handle) {
        const auto it = items_.find(handle);
        return it == items_.end() ? nullptr : &it->second;
    }

    bool remove(Handle handle) { return items_.erase(handle) != 0; }
    void clear() { items_.clear(); }
    std::size_t size() const { return items_.size(); }

private:
    std::map<Handle, T> items_;
    Handle next_;
};

}  // namespace yorimemo::motelib
