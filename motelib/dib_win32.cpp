#include "motelib/dib_win32.h"

#include "motelib/gdi_values.h"

namespace yorimemo::motelib {

std::unique_ptr<Dib> Dib::create(int width, int height) {
    if (!validBitmapSize(width, height)) return nullptr;
    MemoryDc dc(CreateCompatibleDC(nullptr));
    if (!dc) return nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down: row 0 is the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr) return nullptr;
    return std::make_unique<Dib>(std::move(dc), bitmap, static_cast<std::uint32_t*>(bits), width,
                                 height);
}

Dib::Dib(MemoryDc dc, HBITMAP bitmap, std::uint32_t* bits, int width, int height)
    : dc_(std::move(dc)),
      bitmap_(bitmap),
      previous_(SelectObject(dc_.get(), bitmap)),
      bits_(bits),
      width_(width),
      height_(height) {}

Dib::~Dib() {
    SelectObject(dc_.get(), previous_);
    DeleteObject(bitmap_);
}

std::uint32_t Dib::pixel(int x, int y) const {
    GdiFlush();  // GDI may still hold drawing for this bitmap in its batch
    return bits_[static_cast<std::size_t>(y) * width_ + x] & 0xFFFFFFu;
}

void Dib::setPixel(int x, int y, std::uint32_t rgb) {
    GdiFlush();
    bits_[static_cast<std::size_t>(y) * width_ + x] = rgb & 0xFFFFFFu;
}

void Dib::copyFrom(const Dib& source) {
    BitBlt(dc_.get(), 0, 0, width_, height_, source.dc(), 0, 0, SRCCOPY);
}

}  // namespace yorimemo::motelib
