#pragma once
// Waiting in the Windows tests: every wait polls a condition with a deadline, handling this
// thread's messages in between, so the windows and timers of the code under test keep running.

#include <windows.h>

#include <functional>

namespace yorimemo::testing {

// Generous: the machine is slow and shared.
inline constexpr DWORD kDeadlineMs = 20000;

// Handles this thread's messages, waiting up to `waitMs` for the first.
void pumpMessages(DWORD waitMs);

// Polls `condition` every `pollMs` until it holds (true) or the deadline passes (false).
bool waitFor(const std::function<bool()>& condition, DWORD deadlineMs = kDeadlineMs,
             DWORD pollMs = 20);

}  // namespace yorimemo::testing
