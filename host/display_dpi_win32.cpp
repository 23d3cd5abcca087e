#include "host/display_dpi_win32.h"

#include <string>

#include "mote/display_scale.h"

namespace yorimemo {

namespace {

using GetDpiForSystemFn = UINT(WINAPI*)();
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

template <typename Fn>
Fn lookUp(HMODULE module, const char* name) {
    if (module == nullptr) return nullptr;
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

// Loaded once from the system folder, by its full path (no search flags: a Windows 7 without its
// 2011 update refuses them), and kept for the life of the process.
HMODULE loadShellScaling() {
    wchar_t system[MAX_PATH] = {};
    const UINT length = ::GetSystemDirectoryW(system, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    const std::wstring path = std::wstring(system, length) + L"\\shcore.dll";
    return ::LoadLibraryW(path.c_str());
}

HMODULE shellScaling() {
    static const HMODULE module = loadShellScaling();
    return module;
}

}  // namespace

std::int32_t systemDpi() {
    if (const auto fn =
            lookUp<GetDpiForSystemFn>(::GetModuleHandleW(L"user32.dll"), "GetDpiForSystem")) {
        return usableDpi(static_cast<std::int32_t>(fn()));
    }
    HDC screen = ::GetDC(nullptr);
    if (screen == nullptr) return kBaseDpi;
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return usableDpi(dpi);
}

std::int32_t monitorDpi(HMONITOR monitor) {
    UINT x = 0;
    UINT y = 0;
    const auto fn = lookUp<GetDpiForMonitorFn>(shellScaling(), "GetDpiForMonitor");
    if (fn == nullptr || FAILED(fn(monitor, kEffectiveDpi, &x, &y))) return systemDpi();
    return usableDpi(static_cast<std::int32_t>(y));
}

}  // namespace yorimemo
