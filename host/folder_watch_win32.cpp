#include "host/folder_watch_win32.h"

namespace yorimemo {

FileStamp fileStamp(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return {};
    const auto wide = [](DWORD high, DWORD low) { return (ULONGLONG{high} << 32) | low; };
    return {true, wide(data.nFileSizeHigh, data.nFileSizeLow),
            wide(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime)};
}

bool FolderWatch::start(const std::wstring& folder, HWND window, UINT message) {
    stop();
    // Names cover a replacement by rename and a deletion; size and time an edit in place.
    change_.reset(::FindFirstChangeNotificationW(
        folder.c_str(), FALSE,
        FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE));
    stop_.reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!change_ || !stop_) {
        change_.reset();
        stop_.reset();
        return false;
    }
    posted_ = false;
    broken_ = false;
    thread_ = std::thread([this, window, message] { run(window, message); });
    return true;
}

void FolderWatch::stop() {
    if (thread_.joinable()) {
        ::SetEvent(stop_.get());
        thread_.join();
    }
    change_.reset();
    stop_.reset();
}

void FolderWatch::run(HWND window, UINT message) {
    const HANDLE waits[] = {stop_.get(), change_.get()};
    for (;;) {
        const DWORD woken = ::WaitForMultipleObjects(2, waits, FALSE, INFINITE);
        if (woken == WAIT_OBJECT_0) return;
        if (woken != WAIT_OBJECT_0 + 1) {
            broken_ = true;
            return;
        }
        if (!posted_.exchange(true)) ::PostMessageW(window, message, 0, 0);
        if (!::FindNextChangeNotification(change_.get())) {
            broken_ = true;
            return;
        }
    }
}

}  // namespace yorimemo
