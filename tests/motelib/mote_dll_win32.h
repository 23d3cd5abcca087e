#pragma once
// Test support for the Windows tests of mote.dll: the library loaded from the build folder as
// the program loads it, a window that records the event messages, message pumping with
// deadlines, and access to the screen and to Linux tools under Wine.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "motelib/mote_api.h"
#include "tests/support/wait_win32.h"

namespace yorimemo::motelib::testing {

using ::yorimemo::testing::pumpMessages;
using ::yorimemo::testing::waitFor;

struct MoteDll {
    HMODULE module = nullptr;
    MoteLoadFn load = nullptr;
    MoteUnloadFn unload = nullptr;
    MoteAttachFn attach = nullptr;
    MoteFloatingFn floating = nullptr;
    MoteCreateFn create = nullptr;
    MoteDeleteFn remove = nullptr;
    MoteSetPriorityFn setPriority = nullptr;
    MoteMoveFn move = nullptr;
    MoteGetPosFn getPosX = nullptr;
    MoteGetPosFn getPosY = nullptr;
    MoteSetImageHFn setImage = nullptr;
    MoteUpdateImageHFn updateImage = nullptr;
    MoteVoidFn lockDraw = nullptr;
    MoteVoidFn unlockDraw = nullptr;
    MoteVoidFn redraw = nullptr;
    MoteVoidFn updateDesktopSize = nullptr;
    MoteCreateBitmapFn createBitmap = nullptr;
    MoteDeleteBitmapFn deleteBitmap = nullptr;
    MoteFillRectFn fillRect = nullptr;
    MoteDrawLineFn drawLine = nullptr;
    MoteCreateFontFn createFont = nullptr;
    MoteDeleteFontFn deleteFont = nullptr;
    MoteDrawTextFn drawText = nullptr;
    MoteCreateFontWFn createFontW = nullptr;
    MoteDrawTextWFn drawTextW = nullptr;
    MoteIdFn hide = nullptr;
    MoteIdFn show = nullptr;
    MoteIdFn getWidth = nullptr;
    MoteIdFn getHeight = nullptr;
    MoteIdFn getPriority = nullptr;
    MoteSetPosFn setPos = nullptr;
    MoteFillFn fill = nullptr;
    MoteDrawRectFn drawRect = nullptr;
    MoteGetPixelFn getPixel = nullptr;
    MoteSetPixelFn setPixel = nullptr;
    MoteQuietStackFn quietStack = nullptr;
    MoteSetTitleWFn setTitleW = nullptr;

    // Loads the library, binds every export above and calls _load; false when any is missing.
    bool open();
    // _unload, then FreeLibrary.
    void close();

    // The program's text convention: a fresh GMEM_FIXED block without terminator, null when
    // empty; the library frees it.
    MoteHandle createFontNamed(std::string_view face, int size) const;
    int measure(std::string_view text, MoteHandle font, int* rect) const;
    int draw(MoteHandle bitmap, std::string_view text, MoteHandle font, std::uint32_t color,
             int* rect) const;
};

char* globalText(std::string_view text);

// The windows of this thread's motes, front to back, hidden ones included.
std::vector<HWND> moteWindowsFrontToBack();
// The window showing mote `id`, or null. The library keeps the id in GWLP_USERDATA.
HWND moteWindow(int id);
RECT windowRect(HWND window);

// Pixels of a bitmap, row by row from the top, as 0x00RRGGBB; `surface` is the memory DC that
// _create_bitmap handed back.
std::vector<std::uint32_t> readBitmap(MoteHandle surface, int width, int height);
// A screen pixel as 0x00RRGGBB.
std::uint32_t screenPixel(int x, int y);

// A hidden top-level window that records the WM_COPYDATA payloads it is sent.
class EventRecorder {
public:
    EventRecorder();
    ~EventRecorder();
    EventRecorder(const EventRecorder&) = delete;
    EventRecorder& operator=(const EventRecorder&) = delete;

    HWND window() const { return window_; }
    std::vector<std::string> events;
    // Runs inside the library's send, as the program's handler does.
    std::function<void(const std::string&)> onEvent;

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND window_ = nullptr;
};

std::string eventText(std::string_view name, int id, int x, int y);

// Starts a Linux program from Wine. Wine gives no process handle for it, so callers poll for
// its effect.
bool startLinuxProgram(const std::string& commandLine);
// The Linux path of a Windows path (Wine only; empty elsewhere).
std::string unixPath(const std::string& windowsPath);
// The folder of this test program, ending in a backslash.
std::string programDirectory();

}  // namespace yorimemo::motelib::testing
