#pragma once
// The id the host window gives its tray icon, for tests that cannot include the window's header;
// the host window's test checks it against the program's own.

#include <cstdint>

namespace yorimemo::testing {

inline constexpr std::int32_t kTrayIconId = 0x79726D38;

}  // namespace yorimemo::testing
