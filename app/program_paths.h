#pragma once
// Where the program keeps its files, worked out from the full path of its own executable.
// Paths are multi-byte strings in the system code page; a lead-byte test keeps the scans from
// taking the second byte of a double-byte character (0x5C is a valid one) for a backslash.

#include <cstddef>
#include <string>
#include <string_view>

#include "notes/multibyte_text.h"

namespace yorimemo {

// The system's path limit, terminator included: every result is at most kMaxPath - 1 bytes.
inline constexpr std::size_t kMaxPath = 260;

// The directory of the executable, without a trailing backslash; empty when the path has none.
std::string ProgramDirectory(std::string_view modulePath, LeadBytePredicate isLeadByte);

// The executable's path with the file name's extension replaced by ".ini", or ".ini" appended
// when the file name has none. A dot in a directory name is not an extension. When the result
// would not fit the path limit, the name is shortened so that it still ends in ".ini".
std::string IniPath(std::string_view modulePath, LeadBytePredicate isLeadByte);

}  // namespace yorimemo
