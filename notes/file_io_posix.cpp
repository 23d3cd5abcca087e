#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <memory>

#include "notes/file_io.h"

namespace yorimemo {
namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd_; }
    // close(2) can report a failed write-back, so its result counts.
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

class PosixFileSystem final : public FileSystem {
public:
    ReadStatus readAll(const std::string& path, std::string& bytes) override {
        FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
        if (file.get() < 0) return errno == ENOENT ? ReadStatus::kMissing : ReadStatus::kFailed;
        bytes.clear();
        char chunk[65536];
        for (;;) {
            const ssize_t got = ::read(file.get(), chunk, sizeof chunk);
            if (got == 0) return ReadStatus::kRead;
            if (got < 0) {
                if (errno == EINTR) continue;
                return ReadStatus::kFailed;
            }
            bytes.append(chunk, static_cast<std::size_t>(got));
        }
    }

    WriteStatus writeDurably(const std::string& path, std::string_view bytes) override {
        FileDescriptor file(::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666));
        if (file.get() < 0) {
            return errno == EACCES || errno == EPERM || errno == EROFS ? WriteStatus::kAccessDenied
                                                                       : WriteStatus::kCannotOpen;
        }
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t put = ::write(file.get(), bytes.data() + done, bytes.size() - done);
            if (put < 0) {
                if (errno == EINTR) continue;
                return WriteStatus::kFailed;
            }
            done += static_cast<std::size_t>(put);
        }
        if (::ftruncate(file.get(), static_cast<off_t>(bytes.size())) != 0) {
            return WriteStatus::kFailed;
        }
        if (::fsync(file.get()) != 0) return WriteStatus::kFailed;
        return file.close() ? WriteStatus::kWritten : WriteStatus::kFailed;
    }

    bool renameOver(const std::string& from, const std::string& to) override {
        if (std::rename(from.c_str(), to.c_str()) != 0) return false;
        // The new name must reach the disc too; a failure here leaves a valid file either way.
        FileDescriptor folder(::open(folderOf(to).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (folder.get() >= 0) ::fsync(folder.get());
        return true;
    }

    void removeFile(const std::string& path) override { ::unlink(path.c_str()); }

    bool exists(const std::string& path) override {
        struct stat status {};
        return ::lstat(path.c_str(), &status) == 0;
    }

    bool makeFolder(const std::string& path) override {
        if (::mkdir(path.c_str(), 0777) == 0) return true;
        struct stat status {};
        return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
    }

    // By the mode bits, not access(2): the owner's choice counts even for root.
    bool isReadOnly(const std::string& path) override {
        struct stat status {};
        return ::stat(path.c_str(), &status) == 0 && (status.st_mode & 0222) == 0;
    }

    void copyAttributes(const std::string& from, const std::string& to) override {
        struct stat status {};
        if (::stat(from.c_str(), &status) == 0) ::chmod(to.c_str(), status.st_mode & 07777);
    }

    std::vector<std::string> fileNames(const std::string& folder) override {
        std::vector<std::string> names;
        const std::unique_ptr<DIR, int (*)(DIR*)> listing(::opendir(folder.c_str()), ::closedir);
        if (!listing) return names;
        while (const dirent* entry = ::readdir(listing.get())) {
            if (entry->d_type == DT_DIR) continue;
            names.emplace_back(entry->d_name);
        }
        return names;
    }
};

}  // namespace

FileSystem& platformFileSystem() {
    static PosixFileSystem files;
    return files;
}

}  // namespace yorimemo
