// Sends a running program's host window a stream of random event messages from a process of its
// own, as another program on the desktop could.
//
//   hostile_sender <host window, decimal> <count> <seed>
//
// The first messages are one of each kind, so that even a short burst carries every shape across;
// the rest are drawn at random. Exit status 0: every message was answered with 1; 1: some message
// failed or got another answer; 2: bad arguments; 3: the window went away.

#include <windows.h>

#include <array>
#include <cstdio>
#include <cstdlib>

#include "tests/e2e/hostile_messages.h"

namespace {

constexpr UINT kAnswerDeadlineMs = 20000;
constexpr const char* kKindNames[] = {"random-bytes", "no-line-end", "line-soup",
                                      "many-lines",   "event",       "large"};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: hostile_sender <window> <count> <seed>\n");
        return 2;
    }
    const auto window = reinterpret_cast<HWND>(std::strtoull(argv[1], nullptr, 10));
    const long count = std::strtol(argv[2], nullptr, 10);
    const auto seed = static_cast<std::uint32_t>(std::strtoul(argv[3], nullptr, 10));
    if (!IsWindow(window) || count < yorimemo::e2e::kHostileKindCount) {
        std::fprintf(stderr, "hostile_sender: no such window, or fewer messages than kinds\n");
        return 2;
    }

    yorimemo::e2e::HostileMessages messages(seed);
    std::array<long, yorimemo::e2e::kHostileKindCount> perKind{};
    long failed = 0;
    long wrongAnswers = 0;
    std::size_t bytes = 0;
    for (long i = 0; i < count; ++i) {
        const yorimemo::e2e::HostileMessage message =
            i < yorimemo::e2e::kHostileKindCount
                ? messages.next(static_cast<yorimemo::e2e::HostileKind>(i))
                : messages.next();
        COPYDATASTRUCT data{};
        data.dwData = static_cast<ULONG_PTR>(i);
        data.cbData = static_cast<DWORD>(message.payload.size());
        // An empty message comes with and without an address.
        data.lpData = message.payload.empty() && i % 2 == 0
                          ? nullptr
                          : const_cast<char*>(message.payload.data());
        DWORD_PTR answer = 0;
        // The sender's window is not looked at; any value will do.
        const auto sender = static_cast<WPARAM>(i * 7919);
        if (!SendMessageTimeoutA(window, WM_COPYDATA, sender, reinterpret_cast<LPARAM>(&data),
                                 SMTO_NORMAL, kAnswerDeadlineMs, &answer)) {
            ++failed;
            if (!IsWindow(window)) {
                std::printf("hostile_sender: the window went away after %ld messages\n", i);
                return 3;
            }
        } else if (answer != 1) {
            ++wrongAnswers;
        }
        ++perKind[static_cast<std::size_t>(message.kind)];
        bytes += message.payload.size();
    }

    std::printf("hostile_sender: %ld messages, %zu bytes, %ld failed, %ld answered other than 1\n",
                count, bytes, failed, wrongAnswers);
    for (std::size_t k = 0; k < perKind.size(); ++k) {
        std::printf("  %-13s %ld\n", kKindNames[k], perKind[k]);
    }
    return failed == 0 && wrongAnswers == 0 ? 0 : 1;
}
