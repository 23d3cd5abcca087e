#pragma once
// Files in memory for the fuzzers: every write succeeds, nothing touches the disc.

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "notes/file_io.h"

namespace yorimemo::fuzz {

class MemoryFiles final : public FileSystem {
public:
    std::map<std::string, std::string> files;

    ReadStatus readAll(const std::string& path, std::string& bytes) override {
        const auto found = files.find(path);
        if (found == files.end()) return ReadStatus::kMissing;
        bytes = found->second;
        return ReadStatus::kRead;
    }
    WriteStatus writeDurably(const std::string& path, std::string_view bytes) override {
        files[path] = std::string(bytes);
        return WriteStatus::kWritten;
    }
    bool renameOver(const std::string& from, const std::string& to) override {
        files[to] = files[from];
        files.erase(from);
        return true;
    }
    void removeFile(const std::string& path) override { files.erase(path); }
    bool exists(const std::string& path) override { return files.count(path) != 0; }
    // Any folder is there; only files are kept.
    bool makeFolder(const std::string&) override { return true; }
    // Files in memory have no attributes: none is read-only, none has any to keep.
    bool isReadOnly(const std::string&) override { return false; }
    void copyAttributes(const std::string&, const std::string&) override {}
    // Folders are not listed: the fuzzers never ask.
    std::vector<std::string> fileNames(const std::string&) override { return {}; }
};

}  // namespace yorimemo::fuzz
