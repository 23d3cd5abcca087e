#include "tests/e2e/hostile_messages.h"

#include <array>

namespace yorimemo::e2e {

namespace {

constexpr std::size_t kLargeSize = std::size_t{1} << 20;

// Every event name except the right-button release.
constexpr std::array<const char*, 5> kEventNames = {
    "OnMoteLButtonDown",        "OnMoteMouseMove",  "OnMoteLButtonUp",
    "OnMoteLButtonDoubleClick", "OnMoteDpiChanged",
};

// Close to a name, but none of them: case, blanks, prefixes, other buttons, Shift-JIS.
constexpr std::array<const char*, 14> kNearNames = {
    "onmotelbuttondown",   "ONMOTEMOUSEMOVE",
    "OnMoteLButtonup",     "OnMoteRButtonUP",
    "OnMoteLButtonDown ",  " OnMoteMouseMove",
    "OnMoteLButtonDown\t", "OnMote",
    "OnMoteLButtonDo",     "OnMoteLButtonDownX",
    "OnMoteRButtonDown",   "OnMoteMButtonUp",
    "\x83\x81\x83\x82",    "OnMoteLButtonDoubleClick\r",
};

constexpr std::array<const char*, 19> kNumbers = {
    "0",
    "-0",
    "7",
    "2147483647",
    "2147483648",
    "-2147483648",
    "-2147483649",
    "4294967296",
    "99999999999999999999999",
    "-99999999999999999999999999999999999999999999",
    "   42",
    "\t-5",
    "+7",
    "-",
    "+",
    "12abc",
    "abc",
    "0x10",
    "1e9",
};

// Ids that can name no note, whether a reader saturates or wraps out-of-range values: negative,
// or a million and more. Note ids start at 0 and grow by one per note drawn.
constexpr std::array<const char*, 9> kHarmlessIds = {
    "-1",    "-2147483648", "2147483647", "99999999999", "-999999999999",
    "   -5", "+1000000",    "1234567xyz", "1000001",
};

}  // namespace

int HostileMessages::below(int limit) {
    return std::uniform_int_distribution<int>(0, limit - 1)(random_);
}

std::string HostileMessages::bytes(std::size_t length) {
    std::string text(length, '\0');
    for (char& c : text) c = static_cast<char>(below(256));
    return text;
}

std::string HostileMessages::bytesWithoutLineEnd(std::size_t length) {
    std::string text = bytes(length);
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (text[i - 1] == '\r' && text[i] == '\n') text[i] = 'n';
    }
    // A trailing CR would pair with the LF of a line end put after it.
    if (!text.empty() && text.back() == '\r') text.back() = 'r';
    return text;
}

std::string HostileMessages::harmlessId() {
    return kHarmlessIds[static_cast<std::size_t>(below(static_cast<int>(kHarmlessIds.size())))];
}

std::string HostileMessages::number() {
    if (below(3) == 0) return std::to_string(static_cast<std::int32_t>(random_()));
    return kNumbers[static_cast<std::size_t>(below(static_cast<int>(kNumbers.size())))];
}

std::string HostileMessages::eventName() {
    return kEventNames[static_cast<std::size_t>(below(static_cast<int>(kEventNames.size())))];
}

// Any line but an event name; it may be empty, which ends what the host reads.
std::string HostileMessages::anyLine() {
    switch (below(5)) {
        case 0:
            return kNearNames[static_cast<std::size_t>(below(static_cast<int>(kNearNames.size())))];
        case 1:
        case 2:
            return number();
        case 3:
            return below(4) == 0 ? std::string() : bytesWithoutLineEnd(1 + below(40));
        default:
            return std::string(static_cast<std::size_t>(below(3)), ' ');
    }
}

std::string HostileMessages::lines(int count, bool eventFirst) {
    std::string text;
    for (int line = 0; line < count; ++line) {
        if (line == 0) {
            text += eventFirst ? eventName() : anyLine();
        } else if (line == 1 && eventFirst) {
            // A missing or empty id line reads as -1, which names no note either.
            text += below(6) == 0 ? std::string() : harmlessId();
        } else {
            text += below(8) == 0 ? eventName() : anyLine();
        }
        const bool last = line == count - 1;
        if (!last || below(2) == 0) text += "\r\n";
    }
    // A zero byte ends the text early; it can only take lines away.
    if (!text.empty() && below(8) == 0) {
        text.insert(static_cast<std::size_t>(below(static_cast<int>(text.size()))), 1, '\0');
    }
    return text;
}

HostileKind HostileMessages::anyKind() {
    const int roll = below(1000);
    if (roll < 3) return HostileKind::kLarge;
    if (roll < 250) return HostileKind::kRandomBytes;
    if (roll < 350) return HostileKind::kNoLineEnd;
    if (roll < 700) return HostileKind::kLineSoup;
    if (roll < 780) return HostileKind::kManyLines;
    return HostileKind::kEvent;
}

HostileMessage HostileMessages::next() {
    return next(anyKind());
}

HostileMessage HostileMessages::next(HostileKind kind) {
    HostileMessage message;
    message.kind = kind;
    switch (kind) {
        case HostileKind::kLarge: {
            const std::size_t size = kLargeSize + static_cast<std::size_t>(below(64));
            switch (below(3)) {
                case 0:
                    // One huge first line.
                    message.payload = bytesWithoutLineEnd(size) + "\r\n0\r\n0\r\n0\r\n";
                    if (message.payload[0] == 'O') message.payload[0] = 'o';
                    break;
                case 1:
                    message.payload = bytesWithoutLineEnd(size);
                    break;
                default: {
                    // A proper event followed by a megabyte of further lines.
                    message.payload = eventName() + "\r\n" + harmlessId() + "\r\n" + number() +
                                      "\r\n" + number() + "\r\n";
                    const std::string filler = "OnMoteMouseMove\r\n";
                    while (message.payload.size() < size) message.payload += filler;
                    break;
                }
            }
            break;
        }
        case HostileKind::kRandomBytes:
            message.payload = bytes(static_cast<std::size_t>(below(300)));
            if (!message.payload.empty() && message.payload[0] == 'O') message.payload[0] = 'o';
            break;
        case HostileKind::kNoLineEnd:
            message.payload = bytesWithoutLineEnd(static_cast<std::size_t>(below(2000)));
            break;
        case HostileKind::kLineSoup:
            message.payload = lines(1 + below(10), below(3) == 0);
            break;
        case HostileKind::kManyLines:
            message.payload = lines(11 + below(190), below(2) == 0);
            break;
        case HostileKind::kEvent:
            message.payload = eventName() + "\r\n" + harmlessId() + "\r\n" + number() + "\r\n" +
                              number() + "\r\n";
            break;
    }
    return message;
}

}  // namespace yorimemo::e2e
