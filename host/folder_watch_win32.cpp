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
    window_ = window;
    message_ = message;
    thread_.reset(::CreateThread(nullptr, 0, &FolderWatch::run, this, 0, nullptr));
    if (!thread_) {
        change_.reset();
        stop_.reset();
        return false;
    }
    return true;
}

void FolderWatch::stop() {
    if (thread_) {
        ::SetEvent(stop_.get());
        ::WaitForSingleObject(thread_.get(), INFINITE);
        thread_.reset();
    }
    change_.reset();
    stop_.reset();
}

DWORD WINAPI FolderWatch::run(void* self) {
    FolderWatch& watch = *static_cast<FolderWatch*>(self);
    const HANDLE waits[] = {watch.stop_.get(), watch.change_.get()};
    for (;;) {
        const DWORD woken = ::WaitForMultipleObjects(2, waits, FALSE, INFINITE);
        if (woken == WAIT_OBJECT_0) return 0;
        if (woken != WAIT_OBJECT_0 + 1) {
            watch.broken_ = true;
            return 0;
        }
        if (!watch.posted_.exchange(true)) ::PostMessageW(watch.window_, watch.message_, 0, 0);
        if (!::FindNextChangeNotification(watch.change_.get())) {
            watch.broken_ = true;
            return 0;
        }
    }
}

}  // namespace yorimemo
