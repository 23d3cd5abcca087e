#include <windows.h>

#include <string>

#include "notes/file_io.h"
#include "text/code_page_win32.h"

namespace yorimemo {
namespace {

// Paths are UTF-8 in portable code; the system takes UTF-16.
std::wstring widePath(const std::string& path) {
    return DecodeCodePage(path, CP_UTF8);
}

class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() {
        if (valid()) CloseHandle(handle_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};

class Win32FileSystem final : public FileSystem {
public:
    ReadStatus readAll(const std::string& path, std::string& bytes) override {
        Handle file(CreateFileW(widePath(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid()) {
            const DWORD error = GetLastError();
            return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
                       ? ReadStatus::kMissing
                       : ReadStatus::kFailed;
        }
        bytes.clear();
        char chunk[65536];
        for (;;) {
            DWORD got = 0;
            if (!ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr)) {
                return ReadStatus::kFailed;
            }
            if (got == 0) return ReadStatus::kRead;
            bytes.append(chunk, got);
        }
    }

    WriteStatus writeDurably(const std::string& path, std::string_view bytes) override {
        Handle file(CreateFileW(widePath(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid()) {
            return GetLastError() == ERROR_ACCESS_DENIED ? WriteStatus::kAccessDenied
                                                         : WriteStatus::kCannotOpen;
        }
        std::size_t done = 0;
        while (done < bytes.size()) {
            const std::size_t left = bytes.size() - done;
            const DWORD chunk = left > 0x10000000 ? 0x10000000 : static_cast<DWORD>(left);
            DWORD put = 0;
            if (!WriteFile(file.get(), bytes.data() + done, chunk, &put, nullptr) || put == 0) {
                return WriteStatus::kFailed;
            }
            done += put;
        }
        if (!SetEndOfFile(file.get()) || !FlushFileBuffers(file.get())) {
            return WriteStatus::kFailed;
        }
        return WriteStatus::kWritten;
    }

    bool renameOver(const std::string& from, const std::string& to) override {
        return MoveFileExW(widePath(from).c_str(), widePath(to).c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    }

    void removeFile(const std::string& path) override { DeleteFileW(widePath(path).c_str()); }

    bool exists(const std::string& path) override {
        return GetFileAttributesW(widePath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    bool makeFolder(const std::string& path) override {
        const std::wstring folder = widePath(path);
        if (CreateDirectoryW(folder.c_str(), nullptr)) return true;
        const DWORD attributes = GetFileAttributesW(folder.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES &&
               (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    }

    bool isReadOnly(const std::string& path) override {
        const DWORD attributes = GetFileAttributesW(widePath(path).c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    }

    void copyAttributes(const std::string& from, const std::string& to) override {
        const DWORD attributes = GetFileAttributesW(widePath(from).c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) return;
        constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
        SetFileAttributesW(widePath(to).c_str(),
                           (attributes & kKept) != 0 ? attributes & kKept : FILE_ATTRIBUTE_NORMAL);
    }

    std::vector<std::string> fileNames(const std::string& folder) override {
        std::vector<std::string> names;
        WIN32_FIND_DATAW found{};
        const HANDLE search = FindFirstFileW((widePath(folder) + L"\\*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return names;
        do {
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
                names.push_back(EncodeCodePage(found.cFileName, CP_UTF8));
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
        return names;
    }
};

}  // namespace

FileSystem& platformFileSystem() {
    static Win32FileSystem files;
    return files;
}

}  // namespace yorimemo
