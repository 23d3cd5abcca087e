#include "notes/profile_file.h"

#include "notes/file_replace.h"

namespace yorimemo {

bool updateProfile(FileSystem& files, const std::string& path,
                   const std::function<void(ProfileDocument&)>& change,
                   TextEncoding newFileEncoding) {
    std::string before;
    const ReadStatus status = files.readAll(path, before);
    // An unreadable file must not be replaced by one holding only the new keys.
    if (status == ReadStatus::kFailed) return false;
    ProfileDocument document = status == ReadStatus::kRead ? ProfileDocument::parse(before)
                                                           : ProfileDocument(newFileEncoding);
    change(document);
    const std::string after = document.serialize();
    // A missing file that gained nothing stays missing, even where a new one would hold the mark.
    if (after == before ||
        (status == ReadStatus::kMissing && after == ProfileDocument(newFileEncoding).serialize())) {
        return true;
    }
    return replaceFileContents(files, path, after);
}

ProfileDocument readProfile(FileSystem& files, const std::string& path) {
    std::string bytes;
    if (files.readAll(path, bytes) != ReadStatus::kRead) bytes.clear();
    return ProfileDocument::parse(bytes);
}

}  // namespace yorimemo
