#pragma once
// What this test process holds, for tests that repeat work and expect nothing to pile up.

#include <cstddef>

namespace yorimemo::testing {

struct PrivateBytes {
    std::size_t bytes = 0;
    bool fromCounters = false;  // the system's counter; else the committed private regions
};

// Committed private memory.
PrivateBytes privateBytes();

// Bytes in use in every heap of this process: what the private bytes show only in whole pages.
std::size_t heapBytes();

// Live GDI objects of this process: bitmaps, fonts, device contexts and the rest. A leaked font is
// far too small for the private bytes to show; it shows here as one more object.
std::size_t gdiObjects();

}  // namespace yorimemo::testing
