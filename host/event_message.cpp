#include "host/event_message.h"

#include <cstring>

namespace yorimemo {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

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

}  // namespace yorimemo
