#pragma once
// Replaces a file's content so that a crash at any moment leaves either the old or the new content.

#include <string>
#include <string_view>

#include "notes/file_io.h"

namespace yorimemo {

// Writes a temporary file beside `path`, flushes it and renames it over `path`. Only when the
// temporary file may not be created (access denied, and none is there: a folder that is not
// writable) is the file itself written in place; any other failure writes nothing.
// The replacement keeps the file's attributes; a read-only file is not written. Returns false
// when nothing could be written; the old file is then unchanged.
bool replaceFileContents(FileSystem& files, const std::string& path, std::string_view bytes);

// The temporary file that replaceFileContents writes for `path`.
std::string temporaryPathFor(const std::string& path);

}  // namespace yorimemo
