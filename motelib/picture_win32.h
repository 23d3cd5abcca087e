#pragma once
// A mote's own copy of the pixels it shows: plain memory painted straight onto its window. Unlike
// a DIB section it holds no DC or bitmap of the system's, which a hundred cards at start would
// each have to make and fill before showing.

#include <windows.h>

#include <cstdint>
#include <vector>

#include "motelib/dib_win32.h"

namespace yorimemo::motelib {

class Picture {
public:
    // A copy of `source`'s pixels.
    explicit Picture(const Dib& source);

    int width() const { return width_; }
    int height() const { return height_; }
    bool sameSize(const Dib& source) const {
        return source.width() == width_ && source.height() == height_;
    }
    // Takes over the pixels of `source`, which has this picture's size.
    void copyFrom(const Dib& source);
    void paint(HDC dc) const;

private:
    int width_;
    int height_;
    std::vector<std::uint32_t> pixels_;
};

}  // namespace yorimemo::motelib
