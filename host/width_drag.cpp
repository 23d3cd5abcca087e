#include "host/width_drag.h"

#include <algorithm>

#include "mote/display_scale.h"

namespace yorimemo {

std::int32_t draggedWidth(std::int32_t startWidth, std::int32_t shownDx, std::int32_t dpi) {
    const std::int64_t shown = std::int64_t{scaleToDpi(startWidth, dpi)} + shownDx;
    // Clamped in shown pixels first: a hand-edited width must not overflow the sum.
    const std::int32_t limit = scaleToDpi(kMaxNoteWidth * 2, dpi);
    const auto bounded = static_cast<std::int32_t>(std::clamp<std::int64_t>(shown, -limit, limit));
    return std::clamp(unscaleFromDpi(bounded, dpi), kMinNoteWidth, kMaxNoteWidth);
}

}  // namespace yorimemo
