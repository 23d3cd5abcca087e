#pragma once
// The few file operations the settings file needs, one small implementation per platform. Tests
// put their own implementation in its place to make single steps fail.

#include <string>
#include <string_view>
#include <vector>

namespace yorimemo {

enum class ReadStatus { kRead, kMissing, kFailed };
// kAccessDenied: the file could not be made for want of the right to (a folder that is not
// writable); kCannotOpen: for any other reason (held by another program, a name in the way).
enum class WriteStatus { kWritten, kAccessDenied, kCannotOpen, kFailed };

class FileSystem {
public:
    virtual ~FileSystem() = default;

    virtual ReadStatus readAll(const std::string& path, std::string& bytes) = 0;
    // Opens the file (creating it when missing), writes exactly the bytes, cuts it there and
    // flushes it to the disc before returning.
    virtual WriteStatus writeDurably(const std::string& path, std::string_view bytes) = 0;
    // Puts `from` in the place of `to` in one step, replacing it.
    virtual bool renameOver(const std::string& from, const std::string& to) = 0;
    virtual void removeFile(const std::string& path) = 0;
    // Anything of that name, a file or a folder.
    virtual bool exists(const std::string& path) = 0;
    // Makes the folder; true when it is there afterwards, made now or before.
    virtual bool makeFolder(const std::string& path) = 0;
    // A file the user made read-only; false when it is missing.
    virtual bool isReadOnly(const std::string& path) = 0;
    // Gives `to` the attributes of `from` (hidden, archive, ...), so a replacement keeps them.
    virtual void copyAttributes(const std::string& from, const std::string& to) = 0;
    // The names (without the folder) of the files in `folder`; empty when it cannot be listed.
    virtual std::vector<std::string> fileNames(const std::string& folder) = 0;
};

FileSystem& platformFileSystem();

}  // namespace yorimemo
