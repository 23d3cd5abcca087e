#include "notes/file_replace.h"

namespace yorimemo {

std::string temporaryPathFor(const std::string& path) {
    return path + ".tmp";
}

bool replaceFileContents(FileSystem& files, const std::string& path, std::string_view bytes) {
    // The user's read-only mark is a refusal to be respected, not an obstacle to get round.
    if (files.isReadOnly(path)) return false;
    const std::string temporary = temporaryPathFor(path);
    switch (files.writeDurably(temporary, bytes)) {
        case WriteStatus::kWritten:
            files.copyAttributes(path, temporary);
            if (files.renameOver(temporary, path)) return true;
            files.removeFile(temporary);
            return false;
        case WriteStatus::kAccessDenied:
            // In place only in a folder where no new file may be made. A temporary file that is
            // there but cannot be opened (held, read-only) says the folder is writable: the write
            // fails and is tried again. So does a write that failed half-way (a full disc), which
            // would fail in place too and could cut the old file short.
            if (files.exists(temporary)) return false;
            return files.writeDurably(path, bytes) == WriteStatus::kWritten;
        case WriteStatus::kCannotOpen:
            return false;
        case WriteStatus::kFailed:
            break;
    }
    files.removeFile(temporary);
    return false;
}

}  // namespace yorimemo
