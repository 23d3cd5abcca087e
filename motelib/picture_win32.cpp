#include "motelib/picture_win32.h"

#include <algorithm>

namespace yorimemo::motelib {

Picture::Picture(const Dib& source)
    : width_(source.width()),
      height_(source.height()),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_)) {
    copyFrom(source);
}

void Picture::copyFrom(const Dib& source) {
    GdiFlush();  // drawing for the source may still wait in GDI's batch
    std::copy_n(source.bits(), pixels_.size(), pixels_.begin());
}

void Picture::paint(HDC dc) const {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;  // top-down, as the source
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(width_), static_cast<DWORD>(height_), 0, 0, 0,
                      static_cast<UINT>(height_), pixels_.data(), &info, DIB_RGB_COLORS);
}

}  // namespace yorimemo::motelib
