#pragma once
// The parts of a file's path, with either separator (Windows takes both).

#include <cstddef>
#include <string_view>

namespace yorimemo {

// Where the file's name starts: after the last separator, or 0.
std::size_t fileNameStart(std::string_view path);

// Where a file name's extension starts (its last dot), or the name's end.
std::size_t extensionStart(std::string_view name);

// The path without its file name's extension: "C:\notes\yorimemo" for "C:\notes\yorimemo.ini".
std::string_view pathWithoutExtension(std::string_view path);

}  // namespace yorimemo
