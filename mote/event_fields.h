#pragma once
// The ten line slots of the last event message the library sent.

#include <array>
#include <optional>
#include <string>

namespace yorimemo {

struct EventFields {
    static constexpr int kCount = 10;
    std::array<std::optional<std::string>, kCount> lines;

    void clear() {
        for (auto& line : lines) line.reset();
    }
};

}  // namespace yorimemo
