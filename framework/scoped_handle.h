#pragma once
// Owning wrappers for the few kinds of handle the program keeps. Each one releases its handle in
// the destructor, and reset() releases and forgets it, so a release that runs twice is harmless.

#include <windows.h>

namespace yorimemo {

template <typename Traits>
class ScopedHandle {
public:
    using Type = typename Traits::Type;

    ScopedHandle() = default;
    explicit ScopedHandle(Type handle) : handle_(handle) {}
    ~ScopedHandle() { reset(); }

    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    ScopedHandle(ScopedHandle&& other) noexcept : handle_(other.release()) {}
    ScopedHandle& operator=(ScopedHandle&& other) noexcept {
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

struct KernelHandleTraits {
    using Type = HANDLE;
    static Type empty() { return nullptr; }
    // File functions report failure with INVALID_HANDLE_VALUE, the others with null.
    static bool valid(Type handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
    static void close(Type handle) { ::CloseHandle(handle); }
};

// Only for icons the program created or loaded from a file; shared icons are never destroyed.
struct IconHandleTraits {
    using Type = HICON;
    static Type empty() { return nullptr; }
    static bool valid(Type handle) { return handle != nullptr; }
    static void close(Type handle) { ::DestroyIcon(handle); }
};

struct ModuleHandleTraits {
    using Type = HMODULE;
    static Type empty() { return nullptr; }
    static bool valid(Type handle) { return handle != nullptr; }
    static void close(Type handle) { ::FreeLibrary(handle); }
};

struct RegistryKeyTraits {
    using Type = HKEY;
    static Type empty() { return nullptr; }
    static bool valid(Type handle) { return handle != nullptr; }
    static void close(Type handle) { ::RegCloseKey(handle); }
};

using CKernelHandle = ScopedHandle<KernelHandleTraits>;
using CIconHandle = ScopedHandle<IconHandleTraits>;
using CModuleHandle = ScopedHandle<ModuleHandleTraits>;
using CRegistryKey = ScopedHandle<RegistryKeyTraits>;

}  // namespace yorimemo
