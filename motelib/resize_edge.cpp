#include "motelib/resize_edge.h"

#include <algorithm>

namespace yorimemo::motelib {

namespace {

constexpr std::int32_t kBaseDpi = 96;
// The scales a screen may have, from half to eight times 100 %.
constexpr std::int32_t kMinDpi = 48;
constexpr std::int32_t kMaxDpi = kBaseDpi * 8;

}  // namespace

std::int32_t resizeEdgeWidth(std::int32_t dpi) {
    if (dpi < kMinDpi || dpi > kMaxDpi) dpi = kBaseDpi;
    return std::max<std::int32_t>((kResizeEdgeAt96 * dpi + kBaseDpi / 2) / kBaseDpi, 1);
}

bool onResizeEdge(std::int32_t clientX, std::int32_t clientWidth, std::int32_t dpi) {
    const std::int32_t edge = resizeEdgeWidth(dpi);
    if (clientWidth < 2 * edge) return false;
    return clientX >= clientWidth - edge && clientX < clientWidth;
}

}  // namespace yorimemo::motelib
