#pragma once
// File access for the store's tests, the same natively and under Wine: temporary folders and whole
// files, and the platform's files made to fail on request.

#include <new>
#include <string>
#include <string_view>

#include "notes/file_io.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

namespace yorimemo::testing {

// The byte-order mark with which a file says it is UTF-8.
inline const std::string kUtf8Mark = "\xEF\xBB\xBF";

// The platform's files, with single steps made to fail on request and reads and writes counted.
class ScriptedFileSystem final : public FileSystem {
public:
    bool failReads = false;
    std::string failReadsOf;             // this one file cannot be read
    bool failTemporaryCreation = false;  // as in a folder that is not writable
    bool temporaryHeld = false;          // as when another program holds a stale one open
    bool failFolders = false;            // no folder can be made
    bool failTemporaryWrite = false;     // as on a full disc, after the file was opened
    bool failRename = false;
    bool throwOnWrite = false;  // as when memory runs out
    int reads = 0;
    int writes = 0;
    int renames = 0;
    int listings = 0;

    ReadStatus readAll(const std::string& path, std::string& bytes) override {
        ++reads;
        if (failReads || path == failReadsOf) return ReadStatus::kFailed;
        return platformFileSystem().readAll(path, bytes);
    }
    WriteStatus writeDurably(const std::string& path, std::string_view bytes) override {
        ++writes;
        if (throwOnWrite) throw std::bad_alloc();
        const bool temporary = path.size() > 4 && path.compare(path.size() - 4, 4, ".tmp") == 0;
        if (temporary && failTemporaryCreation) return WriteStatus::kAccessDenied;
        if (temporary && temporaryHeld) return WriteStatus::kCannotOpen;
        if (temporary && failTemporaryWrite) {
            platformFileSystem().writeDurably(path, bytes.substr(0, bytes.size() / 2));
            return WriteStatus::kFailed;
        }
        return platformFileSystem().writeDurably(path, bytes);
    }
    bool renameOver(const std::string& from, const std::string& to) override {
        ++renames;
        if (failRename) return false;
        return platformFileSystem().renameOver(from, to);
    }
    void removeFile(const std::string& path) override { platformFileSystem().removeFile(path); }
    bool exists(const std::string& path) override { return platformFileSystem().exists(path); }
    bool makeFolder(const std::string& path) override {
        return !failFolders && platformFileSystem().makeFolder(path);
    }
    bool isReadOnly(const std::string& path) override {
        return platformFileSystem().isReadOnly(path);
    }
    void copyAttributes(const std::string& from, const std::string& to) override {
        platformFileSystem().copyAttributes(from, to);
    }
    std::vector<std::string> fileNames(const std::string& folder) override {
        ++listings;
        return platformFileSystem().fileNames(folder);
    }
};

}  // namespace yorimemo::testing
