#pragma once
// The library's edges: the exports, the windows' procedure and the enumeration callbacks are
// called by code that is not ours, and an exception must not unwind into it. A call that throws
// is dropped and answers the given fallback instead.

namespace yorimemo::motelib {

template <typename Result, typename Body>
Result guarded(Result fallback, Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return fallback;
    }
}

}  // namespace yorimemo::motelib
