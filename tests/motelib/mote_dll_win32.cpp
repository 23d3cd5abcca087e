#include "mote_dll_win32.h"

#include <cstring>

namespace yorimemo::motelib::testing {
namespace {

constexpr char kRecorderClass[] = "MotelibTestRecorder";
constexpr char kMoteClass[] = "YorimemoMote";

template <typename Function>
bool bind(HMODULE module, Function& function, const char* name) {
    // Through void(*)(): a cast between unrelated function pointer types would warn.
    function =
        reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
    return function != nullptr;
}

bool isMoteWindow(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    return std::strcmp(name, kMoteClass) == 0 &&
           GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId();
}

}  // namespace

bool MoteDll::open() {
    std::string path = programDirectory() + MOTE_DLL_RELATIVE;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    module = LoadLibraryA(path.c_str());
    if (module == nullptr) return false;
    bool all =
        bind(module, load, "_load") && bind(module, unload, "_unload") &&
        bind(module, attach, "_attach") && bind(module, floating, "_floating") &&
        bind(module, create, "_create") && bind(module, remove, "_delete") &&
        bind(module, setPriority, "_set_priority") && bind(module, move, "_move") &&
        bind(module, getPosX, "_get_pos_x") && bind(module, getPosY, "_get_pos_y") &&
        bind(module, setImage, "_set_image_h") && bind(module, updateImage, "_update_image_h") &&
        bind(module, lockDraw, "_lock_draw") && bind(module, unlockDraw, "_unlock_draw") &&
        bind(module, redraw, "_redraw") && bind(module, updateDesktopSize, "_update_desktopsize") &&
        bind(module, createBitmap, "_create_bitmap") &&
        bind(module, deleteBitmap, "_delete_bitmap") && bind(module, fillRect, "_fill_rect") &&
        bind(module, drawLine, "_draw_line") && bind(module, createFont, "_create_font") &&
        bind(module, deleteFont, "_delete_font") && bind(module, drawText, "_draw_text") &&
        bind(module, createFontW, "_create_font_w") && bind(module, drawTextW, "_draw_text_w");
    all = all && bind(module, hide, "_hide") && bind(module, show, "_show") &&
          bind(module, getWidth, "_get_width") && bind(module, getHeight, "_get_height") &&
          bind(module, getPriority, "_get_priority") && bind(module, setPos, "_set_pos") &&
          bind(module, fill, "_fill") && bind(module, drawRect, "_draw_rect") &&
          bind(module, getPixel, "_get_pixel") && bind(module, setPixel, "_set_pixel") &&
          bind(module, quietStack, "_quiet_stack") && bind(module, setTitleW, "_set_title_w");
    if (!all) return false;
    const std::string directory = programDirectory();
    return load(globalText(directory), static_cast<int>(directory.size())) == 1;
}

void MoteDll::close() {
    if (module == nullptr) return;
    if (unload != nullptr) unload();
    FreeLibrary(module);
    module = nullptr;
}

MoteHandle MoteDll::createFontNamed(std::string_view face, int size) const {
    return createFont(globalText(face), static_cast<int>(face.size()), size);
}

int MoteDll::measure(std::string_view text, MoteHandle font, int* rect) const {
    return drawText(0, globalText(text), static_cast<int>(text.size()), font, 0, rect, 0x410);
}

int MoteDll::draw(MoteHandle bitmap, std::string_view text, MoteHandle font, std::uint32_t color,
                  int* rect) const {
    return drawText(bitmap, globalText(text), static_cast<int>(text.size()), font, color, rect,
                    0x10);
}

char* globalText(std::string_view text) {
    if (text.empty()) return nullptr;
    auto* block = static_cast<char*>(GlobalAlloc(GMEM_FIXED, text.size()));
    if (block != nullptr) std::memcpy(block, text.data(), text.size());
    return block;
}

std::vector<HWND> moteWindowsFrontToBack() {
    std::vector<HWND> windows;
    for (HWND window = GetTopWindow(nullptr); window != nullptr;
         window = GetWindow(window, GW_HWNDNEXT)) {
        if (isMoteWindow(window)) windows.push_back(window);
    }
    return windows;
}

HWND moteWindow(int id) {
    for (HWND window : moteWindowsFrontToBack()) {
        if (GetWindowLongPtrA(window, GWLP_USERDATA) == id) return window;
    }
    return nullptr;
}

RECT windowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

std::vector<std::uint32_t> readBitmap(MoteHandle surface, int width, int height) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    HDC dc = reinterpret_cast<HDC>(surface);
    auto* bitmap = static_cast<HBITMAP>(GetCurrentObject(dc, OBJ_BITMAP));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    if (GetDIBits(dc, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS) != height) {
        return {};
    }
    for (auto& pixel : pixels) pixel &= 0xFFFFFFu;
    return pixels;
}

std::uint32_t screenPixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    const COLORREF color = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
}

EventRecorder::EventRecorder() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kRecorderClass;
    RegisterClassA(&windowClass);  // fails harmlessly when an earlier recorder registered it
    window_ = CreateWindowExA(WS_EX_TOOLWINDOW, kRecorderClass, "", WS_POPUP, -200, -200, 10, 10,
                              nullptr, nullptr, GetModuleHandleA(nullptr), this);
}

EventRecorder::~EventRecorder() {
    DestroyWindow(window_);
}

LRESULT CALLBACK EventRecorder::windowProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* recorder = reinterpret_cast<EventRecorder*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_COPYDATA && recorder != nullptr) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        std::string payload(static_cast<const char*>(data->lpData), data->cbData);
        recorder->events.push_back(payload);
        if (recorder->onEvent) recorder->onEvent(payload);
        return 1;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

std::string eventText(std::string_view name, int id, int x, int y) {
    return std::string(name) + "\r\n" + std::to_string(id) + "\r\n" + std::to_string(x) + "\r\n" +
           std::to_string(y) + "\r\n";
}

bool startLinuxProgram(const std::string& commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return false;
    }
    if (process.hThread != nullptr) CloseHandle(process.hThread);
    if (process.hProcess != nullptr) CloseHandle(process.hProcess);
    return true;
}

std::string unixPath(const std::string& windowsPath) {
    using ToUnix = char*(CDECL*)(const WCHAR*);
    const auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (toUnix == nullptr) return {};
    std::wstring wide(windowsPath.size(), L'\0');
    const int length =
        MultiByteToWideChar(CP_ACP, 0, windowsPath.data(), static_cast<int>(windowsPath.size()),
                            wide.data(), static_cast<int>(wide.size()));
    wide.resize(static_cast<std::size_t>(length));
    char* path = toUnix(wide.c_str());
    if (path == nullptr) return {};
    std::string result(path);
    HeapFree(GetProcessHeap(), 0, path);
    return result;
}

std::string programDirectory() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string directory(path);
    return directory.substr(0, directory.find_last_of("\\/") + 1);
}

}  // namespace yorimemo::motelib::testing
