#include "host/event_message.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace yorimemo {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

bool isBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

}  // namespace

std::optional<std::string> eventLine(std::string_view text, int k) {
    std::size_t position = 0;
    for (int line = 0;; ++line) {
        const std::size_t end = text.find(kLineEnd, position);
        if (end == std::string_view::npos || end == position) return std::nullopt;
        if (line == k) return std::string(text.substr(position, end - position));
        position = end + kLineEnd.size();
    }
}

void splitEventMessage(std::string_view payload, EventFields& fields) {
    fields.clear();
    const void* zero = std::memchr(payload.data(), 0, payload.size());
    if (zero != nullptr)
        payload = payload.substr(0, static_cast<const char*>(zero) - payload.data());
    for (int k = 0; k < EventFields::kCount; ++k) {
        auto line = eventLine(payload, k);
        if (!line) break;
        fields.lines[k] = std::move(line);
    }
}

std::int32_t parseEventNumber(std::string_view line) {
    std::size_t i = 0;
    while (i < line.size() && isBlank(line[i])) ++i;
    bool negative = false;
    if (i < line.size() && (line[i] == '+' || line[i] == '-')) negative = line[i++] == '-';
    std::int64_t magnitude = 0;
    constexpr std::int64_t kLimit =
        static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::max()) + 1;
    for (; i < line.size() && line[i] >= '0' && line[i] <= '9'; ++i) {
        magnitude = std::min<std::int64_t>(magnitude * 10 + (line[i] - '0'), kLimit);
    }
    if (negative) return static_cast<std::int32_t>(-magnitude);
    return static_cast<std::int32_t>(std::min<std::int64_t>(magnitude, kLimit - 1));
}

}  // namespace yorimemo
