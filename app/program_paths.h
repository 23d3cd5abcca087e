#pragma once
// Where the program keeps its files, worked out from the full path of its own executable.
// Paths are the system's UTF-16 strings.

#include <cstddef>
#include <string>
#include <string_view>

namespace yorimemo {

// The system's path limit in UTF-16 units, terminator included.
inline constexpr std::size_t kMaxPath = 260;

// The directory of the executable, without a trailing backslash; empty when the path has none.
std::wstring ProgramDirectory(std::wstring_view modulePath);

// The executable's path with the file name's extension replaced by ".ini", or ".ini" appended
// when the file name has none. A dot in a directory name is not an extension.
std::wstring IniPath(std::wstring_view modulePath);

// Whether the executable's path and its INI path both stay below the path limit. A program for
// which they do not ends before it touches any file: a shortened path would name another
// folder or another file.
bool PathsFitLimit(std::wstring_view modulePath);

}  // namespace yorimemo
