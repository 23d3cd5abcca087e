#pragma once
// How the note file stores its text. The table keeps every value as the file's own bytes, so a
// value nobody edits is written back exactly as it was read.

namespace yorimemo {

enum class TextEncoding {
    kShiftJis,  // no byte-order mark: code page 932, whatever the system's own code page is
    kUtf8,      // the file began with the UTF-8 mark, which it keeps
};

}  // namespace yorimemo
