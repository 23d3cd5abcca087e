#pragma once
// Conversions between the values callers pass and what GDI expects.

#include <algorithm>
#include <cstdint>

namespace yorimemo::motelib {

// Callers give colours as 0x00RRGGBB; GDI's COLORREF is 0x00BBGGRR.
constexpr std::uint32_t toColorRef(std::uint32_t rgb) {
    return ((rgb >> 16) & 0xFFu) | (rgb & 0xFF00u) | ((rgb & 0xFFu) << 16);
}

inline constexpr int kDefaultFontPoints = 9;
inline constexpr int kMaxFontPoints = 1000;

// Character height in pixels of a font of `points` on a screen of `dpi` pixels per inch,
// rounded to the nearest pixel. A size of 0 or less takes the default size.
constexpr int fontPixelHeight(int points, int dpi) {
    const std::int64_t size = points <= 0 ? kDefaultFontPoints : std::min(points, kMaxFontPoints);
    return static_cast<int>((size * dpi + 36) / 72);
}

// Bitmaps larger than this on a side are refused rather than attempted.
inline constexpr int kMaxBitmapSide = 16384;

constexpr bool validBitmapSize(int width, int height) {
    return width > 0 && height > 0 && width <= kMaxBitmapSide && height <= kMaxBitmapSide;
}

}  // namespace yorimemo::motelib
