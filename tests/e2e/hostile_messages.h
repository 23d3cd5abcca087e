#pragma once
// Random event-message payloads for throwing at the running program: random bytes, broken line
// structure, wrong and unknown names, out-of-range numbers, long and large messages.
//
// Whenever a payload's first line, read the way the host reads it, is one of the event names, its
// id line reads as an id that no note can have (negative or a million and more). So no payload may
// change a note or the settings file, and a right-button event is never produced: it would open a
// note menu that waits for the user.

#include <cstdint>
#include <random>
#include <string>

namespace yorimemo::e2e {

enum class HostileKind {
    kRandomBytes,  // anything but an event name at the start
    kNoLineEnd,    // bytes without a single CR LF
    kLineSoup,     // up to ten lines of names, numbers, blanks and bytes
    kManyLines,    // more than ten lines
    kEvent,        // an event name with a harmless id and extreme positions
    kLarge,        // about a megabyte
};
inline constexpr int kHostileKindCount = 6;

struct HostileMessage {
    HostileKind kind = HostileKind::kRandomBytes;
    std::string payload;
};

class HostileMessages {
public:
    explicit HostileMessages(std::uint32_t seed) : random_(seed) {}

    // A kind drawn at random, most often small messages, rarely a large one.
    HostileMessage next();
    HostileMessage next(HostileKind kind);

private:
    HostileKind anyKind();
    int below(int limit);
    std::string bytes(std::size_t length);
    std::string bytesWithoutLineEnd(std::size_t length);
    std::string anyLine();
    std::string harmlessId();
    std::string number();
    std::string eventName();
    std::string lines(int count, bool eventFirst);

    std::mt19937 random_;
};

}  // namespace yorimemo::e2e
