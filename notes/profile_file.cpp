#include "notes/profile_file.h"

#include "notes/file_replace.h"

namespace yorimemo {

bool updateProfile(FileSystem& files, const std::string& path,
                   const std::function<void(ProfileDocument&)>& change) {
    std::string before;
    // An unreadable file must not be replaced by one holding only the new keys.
    if (files.readAll(path, before) == ReadStatus::kFailed) return false;
    ProfileDocument document = ProfileDocument::parse(before);
    change(document);
    const std::string after = document.serialize();
    if (after == before) return true;
    return replaceFileContents(files, path, after);
}

ProfileDocument readProfile(FileSystem& files, const std::string& path) {
    std::string bytes;
    if (files.readAll(path, bytes) != ReadStatus::kRead) bytes.clear();
    return ProfileDocument::parse(bytes);
}

}  // namespace yorimemo
