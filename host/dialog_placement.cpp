#include "host/dialog_placement.h"

#include <algorithm>
#include <limits>

namespace yorimemo {

namespace {

// One axis. A note position read from the settings file can be anything, so the sums are done
// in 64 bits and only the result is brought back into range.
std::int32_t PlaceOnAxis(std::int32_t position, std::int32_t extent, std::int32_t edge) {
    std::int64_t origin = std::max<std::int32_t>(position, 0);
    if (origin + extent > edge) origin = std::int64_t{edge} - extent;
    constexpr std::int64_t kLowest = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t kHighest = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::clamp(origin, kLowest, kHighest));
}

}  // namespace

DialogOrigin PlaceDialog(std::int32_t noteX, std::int32_t noteY, std::int32_t width,
                         std::int32_t height, std::int32_t desktopRight,
                         std::int32_t desktopBottom) {
    return {PlaceOnAxis(noteX, width, desktopRight), PlaceOnAxis(noteY, height, desktopBottom)};
}

}  // namespace yorimemo
