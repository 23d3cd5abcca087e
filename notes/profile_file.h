#pragma once
// Profile-string functions on a file: each read parses the file, each change is one atomic
// rewrite that keeps every line it does not change.

#include <functional>
#include <string>
#include <string_view>

#include "notes/file_io.h"
#include "notes/profile_document.h"

namespace yorimemo {

// Reads the file (a missing file is an empty document in `newFileEncoding`), lets `change` edit it
// and writes it back in one step unless nothing changed; the file keeps its encoding and mark.
// Returns false when the file could not be read or written; the file is then as it was.
bool updateProfile(FileSystem& files, const std::string& path,
                   const std::function<void(ProfileDocument&)>& change,
                   TextEncoding newFileEncoding = TextEncoding::kShiftJis);

// A missing or unreadable file is an empty document.
ProfileDocument readProfile(FileSystem& files, const std::string& path);

}  // namespace yorimemo
