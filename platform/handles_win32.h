#pragma once
// The handle types of the program and of mote.dll, in one place. A type named for its object owns
// it: it releases the handle in its destructor, and reset() releases and forgets it, so a release
// that runs twice is harmless. A type ending in "Ref" is a plain handle that the holder must never
// release.

#include <windows.h>

namespace yorimemo {

template <typename Traits>
class Owned {
public:
    using Type = typename Traits::Type;

    Owned() = default;
    explicit Owned(Type handle) : handle_(handle) {}
    ~Owned() { reset(); }

    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Owned(Owned&& other) noexcept : handle_(other.release()) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    Type get() const { return handle_; }
    explicit operator bool() const { return Traits::valid(handle_); }

    // Gives up ownership without releasing.
    Type release() {
        const Type handle = handle_;
        handle_ = Traits::empty();
        return handle;
    }

    void reset(Type handle = Traits::empty()) {
        if (Traits::valid(handle_)) Traits::close(handle_);
        handle_ = handle;
    }

private:
    Type handle_ = Traits::empty();
};

namespace handle_traits {

template <typename Handle, auto Close>
struct NullIsEmpty {
    using Type = Handle;
    static Type empty() { return nullptr; }
    static bool valid(Type handle) { return handle != nullptr; }
    static void close(Type handle) { Close(handle); }
};

// File functions report failure with INVALID_HANDLE_VALUE, the others with null.
struct Kernel {
    using Type = HANDLE;
    static Type empty() { return nullptr; }
    static bool valid(Type handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
    static void close(Type handle) { ::CloseHandle(handle); }
};

// A folder's change notification; failure is INVALID_HANDLE_VALUE.
struct ChangeNotification {
    using Type = HANDLE;
    static Type empty() { return INVALID_HANDLE_VALUE; }
    static bool valid(Type handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
    static void close(Type handle) { ::FindCloseChangeNotification(handle); }
};

inline void closeGdiObject(HGDIOBJ object) {
    ::DeleteObject(object);
}

}  // namespace handle_traits

using KernelHandle = Owned<handle_traits::Kernel>;
using ChangeNotificationHandle = Owned<handle_traits::ChangeNotification>;
// Only icons the program created or loaded from a file; a shared resource icon is an IconRef.
using Icon = Owned<handle_traits::NullIsEmpty<HICON, ::DestroyIcon>>;
using IconRef = HICON;
using Module = Owned<handle_traits::NullIsEmpty<HMODULE, ::FreeLibrary>>;
using RegistryKey = Owned<handle_traits::NullIsEmpty<HKEY, ::RegCloseKey>>;
using Window = Owned<handle_traits::NullIsEmpty<HWND, ::DestroyWindow>>;
using MemoryDc = Owned<handle_traits::NullIsEmpty<HDC, ::DeleteDC>>;
using Font = Owned<handle_traits::NullIsEmpty<HFONT, handle_traits::closeGdiObject>>;
using Brush = Owned<handle_traits::NullIsEmpty<HBRUSH, handle_traits::closeGdiObject>>;
using Pen = Owned<handle_traits::NullIsEmpty<HPEN, handle_traits::closeGdiObject>>;

}  // namespace yorimemo
