#pragma once
// Tells the host window when something in the program's folder changed: a thread of its own
// sleeps in the system until the folder reports a change and then posts one message. No polling.

#include <windows.h>

#include <atomic>
#include <string>

#include "platform/handles_win32.h"

namespace yorimemo {

// A file's size and last write time; `exists` is false for a missing file.
struct FileStamp {
    bool exists = false;
    ULONGLONG size = 0;
    ULONGLONG written = 0;

    bool operator==(const FileStamp& other) const {
        return exists == other.exists && size == other.size && written == other.written;
    }
    bool operator!=(const FileStamp& other) const { return !(*this == other); }
};

FileStamp fileStamp(const std::wstring& path);

class FolderWatch {
public:
    FolderWatch() = default;
    ~FolderWatch() { stop(); }
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;

    // Starts watching `folder`, posting `message` to `window`; false when the folder gives no
    // notifications (the caller then compares the file now and then).
    bool start(const std::wstring& folder, HWND window, UINT message);
    // Ends the thread; harmless when it never ran.
    void stop();
    bool active() const { return static_cast<bool>(thread_) && !broken_; }
    // The posted message was handled: the next change posts again. Changes in between coalesce.
    void handled() { posted_ = false; }

private:
    static DWORD WINAPI run(void* self);

    ChangeNotificationHandle change_;
    KernelHandle stop_;
    std::atomic<bool> posted_{false};
    std::atomic<bool> broken_{false};  // the folder stopped giving notifications
    HWND window_ = nullptr;
    UINT message_ = 0;
    // A thread of the system's own: the C++ library's thread brings in a code-page function.
    KernelHandle thread_;
};

}  // namespace yorimemo
