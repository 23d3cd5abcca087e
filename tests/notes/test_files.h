#pragma once
// Scratch folders and file access for the store's tests, the same natively and under Wine.

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <new>
#include <string>
#include <string_view>

#include "notes/file_io.h"

namespace yorimemo::testing {

// The byte-order mark with which a file says it is UTF-8.
inline const std::string kUtf8Mark = "\xEF\xBB\xBF";

class ScratchFolder {
public:
    ScratchFolder() {
        static std::atomic<int> counter{0};
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        path_ = std::filesystem::temp_directory_path() /
                ("yorimemo-store-" + std::to_string(stamp) + "-" + std::to_string(++counter));
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

inline void writeBytes(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline bool exists(const std::string& path) {
    return std::filesystem::exists(path);
}

// The platform's files, with single steps made to fail on request and reads and writes counted.
class ScriptedFileSystem final : public FileSystem {
public:
    bool failReads = false;
    bool failTemporaryCreation = false;  // as in a folder that is not writable
    bool failTemporaryWrite = false;     // as on a full disc, after the file was opened
    bool failRename = false;
    bool throwOnWrite = false;  // as when memory runs out
    int reads = 0;
    int writes = 0;
    int renames = 0;

    ReadStatus readAll(const std::string& path, std::string& bytes) override {
        ++reads;
        if (failReads) return ReadStatus::kFailed;
        return platformFileSystem().readAll(path, bytes);
    }
    WriteStatus writeDurably(const std::string& path, std::string_view bytes) override {
        ++writes;
        if (throwOnWrite) throw std::bad_alloc();
        const bool temporary = path.size() > 4 && path.compare(path.size() - 4, 4, ".tmp") == 0;
        if (temporary && failTemporaryCreation) return WriteStatus::kCannotOpen;
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
    bool isReadOnly(const std::string& path) override {
        return platformFileSystem().isReadOnly(path);
    }
    void copyAttributes(const std::string& from, const std::string& to) override {
        platformFileSystem().copyAttributes(from, to);
    }
};

}  // namespace yorimemo::testing
