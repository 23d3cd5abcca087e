#pragma once
// A 32-bit top-down DIB section selected into its own memory DC, so GDI can draw into it and
// its pixels can be read directly.

#include <windows.h>

#include <cstdint>
#include <memory>

#include "platform/handles_win32.h"

namespace yorimemo::motelib {

class Dib {
public:
    // Null when the size is refused or GDI cannot make it.
    static std::unique_ptr<Dib> create(int width, int height);

    Dib(MemoryDc dc, HBITMAP bitmap, std::uint32_t* bits, int width, int height);
    ~Dib();
    Dib(const Dib&) = delete;
    Dib& operator=(const Dib&) = delete;

    HDC dc() const { return dc_.get(); }
    int width() const { return width_; }
    int height() const { return height_; }
    // The pixels, row 0 first; drawing may still wait in GDI's batch (GdiFlush).
    const std::uint32_t* bits() const { return bits_; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    // 0x00RRGGBB; the point must be inside.
    std::uint32_t pixel(int x, int y) const;
    void setPixel(int x, int y, std::uint32_t rgb);
    // Takes over `source`'s pixels; both have the same size.
    void copyFrom(const Dib& source);

private:
    MemoryDc dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
    std::uint32_t* bits_;
    int width_;
    int height_;
};

}  // namespace yorimemo::motelib
