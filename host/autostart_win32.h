#pragma once
// Starting the program at log-on: the value named "yorimemo" under the user's Run key holds the
// program's full path in double quotes.

#include <string>

namespace yorimemo::autostart {

inline constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t kValueName[] = L"yorimemo";

// The full path of this process's executable, however long.
std::wstring programPath();
// True when the value names this program: the path without its quotes, compared as the file
// system compares names (case does not count).
bool enabled();
// Writes the value, or deletes it; false when the registry refused.
bool set(bool enabled);

}  // namespace yorimemo::autostart
