// The exported entry points: each finds the library state (made on first use) and forwards.
// Nothing may escape to the caller as an exception; a failed call answers 0 (or -1 for an id).

#define MOTE_BUILDING_LIBRARY
#include <memory>
#include <type_traits>

#include "motelib/canvas_win32.h"
#include "motelib/display_win32.h"
#include "motelib/global_text_win32.h"
#include "motelib/guarded.h"
#include "motelib/mote_api.h"
#include "motelib/text_limits.h"
#include "text/code_page_win32.h"
#include "text/shift_jis.h"

namespace yorimemo::motelib {
namespace {

HINSTANCE g_module = nullptr;

struct Library {
    explicit Library(HINSTANCE module) : display(module) {}
    Canvas canvas;
    Display display;
};

std::unique_ptr<Library>& holder() {
    static std::unique_ptr<Library> library;
    return library;
}

Library& library() {
    std::unique_ptr<Library>& held = holder();
    if (!held) held = std::make_unique<Library>(g_module);
    return *held;
}

int flag(bool value) {
    return value ? 1 : 0;
}

constexpr std::uint32_t kNoPixel = 0xFFFFFFFFu;

// The caller's own text; null or a length below 1 is an empty one.
std::wstring_view wideView(const wchar_t* text, int length) {
    if (text == nullptr || length <= 0) return {};
    return {text, static_cast<std::size_t>(length)};
}

}  // namespace
}  // namespace yorimemo::motelib

using yorimemo::DecodeCodePage;
using yorimemo::kShiftJisCodePage;
using yorimemo::motelib::flag;
using yorimemo::motelib::GlobalText;
using yorimemo::motelib::guarded;
using yorimemo::motelib::library;
using yorimemo::motelib::wideView;

MOTE_API int WINAPI _load(const char* directory, int length) {
    // Images come from callers, so the directory is not needed; the block is still ours to free.
    const GlobalText owned(directory, length);
    return guarded(0, [] {
        library();
        return 1;
    });
}

MOTE_API int WINAPI _unload() {
    return guarded(0, [] {
        yorimemo::motelib::holder().reset();
        return 1;
    });
}

MOTE_API int WINAPI _attach(HWND window) {
    return guarded(0, [&] {
        library().display.attach(window);
        return 1;
    });
}

MOTE_API int WINAPI _floating(int value) {
    return guarded(0, [&] {
        library().display.setFloating(value != 0);
        return 1;
    });
}

MOTE_API int WINAPI _create(int x, int y, int, int, int priority) {
    return guarded(-1, [&] { return library().display.create(x, y, priority); });
}

MOTE_API int WINAPI _delete(int id) {
    return guarded(0, [&] { return flag(library().display.remove(id)); });
}

MOTE_API int WINAPI _set_priority(int id, int priority) {
    return guarded(0, [&] { return flag(library().display.setPriority(id, priority)); });
}

MOTE_API int WINAPI _move(int id, int dx, int dy) {
    return guarded(0, [&] { return flag(library().display.move(id, dx, dy)); });
}

MOTE_API int WINAPI _set_pos(int id, int x, int y) {
    return guarded(0, [&] { return flag(library().display.setPosition(id, x, y)); });
}

MOTE_API int WINAPI _get_pos_x(int id) {
    return guarded(0, [&] {
        const auto* mote = library().display.find(id);
        return mote == nullptr ? 0 : mote->x;
    });
}

MOTE_API int WINAPI _get_pos_y(int id) {
    return guarded(0, [&] {
        const auto* mote = library().display.find(id);
        return mote == nullptr ? 0 : mote->y;
    });
}

MOTE_API int WINAPI _get_width(int id) {
    return guarded(0, [&] {
        const auto* mote = library().display.find(id);
        return mote == nullptr || !mote->view.image ? 0 : mote->view.image->width();
    });
}

MOTE_API int WINAPI _get_height(int id) {
    return guarded(0, [&] {
        const auto* mote = library().display.find(id);
        return mote == nullptr || !mote->view.image ? 0 : mote->view.image->height();
    });
}

MOTE_API int WINAPI _get_priority(int id) {
    return guarded(0, [&] {
        const auto* mote = library().display.find(id);
        return mote == nullptr ? 0 : mote->priority;
    });
}

MOTE_API int WINAPI _hide(int id) {
    return guarded(0, [&] { return flag(library().display.setHidden(id, true)); });
}

MOTE_API int WINAPI _show(int id) {
    return guarded(0, [&] { return flag(library().display.setHidden(id, false)); });
}

MOTE_API int WINAPI _set_image_h(int id, MoteHandle bitmap, MoteHandle) {
    return guarded(0, [&] {
        auto& lib = library();
        const auto* image = lib.canvas.bitmap(bitmap);
        return flag(image != nullptr && lib.display.setImage(id, bitmap, *image));
    });
}

MOTE_API int WINAPI _update_image_h(int id) {
    return guarded(0, [&] {
        auto& lib = library();
        return flag(lib.display.updateImage(id, lib.canvas.bitmap(lib.display.imageSource(id))));
    });
}

MOTE_API int WINAPI _lock_draw() {
    return guarded(0, [] {
        library().display.lock();
        return 1;
    });
}

MOTE_API int WINAPI _quiet_stack(int flag) {
    return guarded(0, [&] {
        library().display.setQuiet(flag != 0);
        return 1;
    });
}

MOTE_API int WINAPI _set_title_w(int id, const wchar_t* text, int length) {
    return guarded(0, [&] { return flag(library().display.setTitle(id, wideView(text, length))); });
}

MOTE_API int WINAPI _unlock_draw() {
    return guarded(0, [] { return flag(library().display.unlock()); });
}

MOTE_API int WINAPI _redraw() {
    return guarded(0, [] {
        library().display.redrawAll();
        return 1;
    });
}

MOTE_API int WINAPI _update_desktopsize() {
    // Nothing is laid out against the desktop; the motes are placed and painted afresh.
    return guarded(0, [] {
        library().display.redrawAll();
        return 1;
    });
}

MOTE_API MoteHandle WINAPI _create_bitmap(int width, int height, MoteHandle* surface) {
    return guarded(MoteHandle{0},
                   [&] { return library().canvas.createBitmap(width, height, surface); });
}

MOTE_API int WINAPI _delete_bitmap(MoteHandle bitmap) {
    return guarded(0, [&] { return flag(library().canvas.deleteBitmap(bitmap)); });
}

MOTE_API int WINAPI _fill(MoteHandle bitmap, MoteHandle, std::uint32_t color) {
    return guarded(0, [&] { return flag(library().canvas.fill(bitmap, color)); });
}

MOTE_API int WINAPI _fill_rect(MoteHandle bitmap, MoteHandle, int x, int y, int width, int height,
                               std::uint32_t color) {
    return guarded(
        0, [&] { return flag(library().canvas.fillRect(bitmap, x, y, width, height, color)); });
}

MOTE_API int WINAPI _draw_line(MoteHandle bitmap, MoteHandle, int x1, int y1, int x2, int y2,
                               std::uint32_t color) {
    return guarded(0,
                   [&] { return flag(library().canvas.drawLine(bitmap, x1, y1, x2, y2, color)); });
}

MOTE_API int WINAPI _draw_rect(MoteHandle bitmap, MoteHandle, int x, int y, int width, int height,
                               std::uint32_t color) {
    return guarded(
        0, [&] { return flag(library().canvas.drawRect(bitmap, x, y, width, height, color)); });
}

MOTE_API std::uint32_t WINAPI _get_pixel(MoteHandle bitmap, MoteHandle, int x, int y) {
    return guarded(yorimemo::motelib::kNoPixel, [&] {
        return library().canvas.pixel(bitmap, x, y).value_or(yorimemo::motelib::kNoPixel);
    });
}

MOTE_API int WINAPI _set_pixel(MoteHandle bitmap, MoteHandle, int x, int y, std::uint32_t color) {
    return guarded(0, [&] { return flag(library().canvas.setPixel(bitmap, x, y, color)); });
}

MOTE_API MoteHandle WINAPI _create_font(const char* name, int length, int size) {
    const GlobalText owned(name, length);
    return guarded(MoteHandle{0}, [&] {
        return library().canvas.createFont(DecodeCodePage(owned.view(), kShiftJisCodePage), size,
                                           0);
    });
}

MOTE_API MoteHandle WINAPI _create_font_w(const wchar_t* name, int length, int size, int dpi) {
    return guarded(MoteHandle{0},
                   [&] { return library().canvas.createFont(wideView(name, length), size, dpi); });
}

MOTE_API int WINAPI _delete_font(MoteHandle font) {
    return guarded(0, [&] { return flag(library().canvas.deleteFont(font)); });
}

MOTE_API int WINAPI _draw_text(MoteHandle bitmap, const char* text, int length, MoteHandle font,
                               std::uint32_t color, int* rect, int format) {
    const GlobalText owned(text, length);
    return guarded(0, [&] {
        // Cut before converting: a long note is never converted whole.
        const std::wstring wide =
            DecodeCodePage(yorimemo::motelib::shownText(owned.view()), kShiftJisCodePage);
        return flag(library().canvas.drawText(bitmap, wide, font, color, rect,
                                              static_cast<unsigned>(format)));
    });
}

MOTE_API int WINAPI _draw_text_w(MoteHandle bitmap, const wchar_t* text, int length,
                                 MoteHandle font, std::uint32_t color, int* rect, int format) {
    return guarded(0, [&] {
        return flag(library().canvas.drawText(bitmap, wideView(text, length), font, color, rect,
                                              static_cast<unsigned>(format)));
    });
}

// The program binds these by name through the pointer types of the shared header.
static_assert(std::is_same_v<decltype(&_load), MoteLoadFn>);
static_assert(std::is_same_v<decltype(&_unload), MoteUnloadFn>);
static_assert(std::is_same_v<decltype(&_attach), MoteAttachFn>);
static_assert(std::is_same_v<decltype(&_floating), MoteFloatingFn>);
static_assert(std::is_same_v<decltype(&_create), MoteCreateFn>);
static_assert(std::is_same_v<decltype(&_delete), MoteDeleteFn>);
static_assert(std::is_same_v<decltype(&_set_priority), MoteSetPriorityFn>);
static_assert(std::is_same_v<decltype(&_move), MoteMoveFn>);
static_assert(std::is_same_v<decltype(&_get_pos_x), MoteGetPosFn>);
static_assert(std::is_same_v<decltype(&_get_pos_y), MoteGetPosFn>);
static_assert(std::is_same_v<decltype(&_set_image_h), MoteSetImageHFn>);
static_assert(std::is_same_v<decltype(&_update_image_h), MoteUpdateImageHFn>);
static_assert(std::is_same_v<decltype(&_lock_draw), MoteVoidFn>);
static_assert(std::is_same_v<decltype(&_unlock_draw), MoteVoidFn>);
static_assert(std::is_same_v<decltype(&_redraw), MoteVoidFn>);
static_assert(std::is_same_v<decltype(&_update_desktopsize), MoteVoidFn>);
static_assert(std::is_same_v<decltype(&_create_bitmap), MoteCreateBitmapFn>);
static_assert(std::is_same_v<decltype(&_delete_bitmap), MoteDeleteBitmapFn>);
static_assert(std::is_same_v<decltype(&_fill_rect), MoteFillRectFn>);
static_assert(std::is_same_v<decltype(&_draw_line), MoteDrawLineFn>);
static_assert(std::is_same_v<decltype(&_create_font), MoteCreateFontFn>);
static_assert(std::is_same_v<decltype(&_delete_font), MoteDeleteFontFn>);
static_assert(std::is_same_v<decltype(&_draw_text), MoteDrawTextFn>);
static_assert(std::is_same_v<decltype(&_create_font_w), MoteCreateFontWFn>);
static_assert(std::is_same_v<decltype(&_draw_text_w), MoteDrawTextWFn>);
static_assert(std::is_same_v<decltype(&_quiet_stack), MoteQuietStackFn>);
static_assert(std::is_same_v<decltype(&_set_title_w), MoteSetTitleWFn>);
static_assert(std::is_same_v<decltype(&_hide), MoteIdFn>);
static_assert(std::is_same_v<decltype(&_show), MoteIdFn>);
static_assert(std::is_same_v<decltype(&_get_width), MoteIdFn>);
static_assert(std::is_same_v<decltype(&_get_height), MoteIdFn>);
static_assert(std::is_same_v<decltype(&_get_priority), MoteIdFn>);
static_assert(std::is_same_v<decltype(&_set_pos), MoteSetPosFn>);
static_assert(std::is_same_v<decltype(&_fill), MoteFillFn>);
static_assert(std::is_same_v<decltype(&_draw_rect), MoteDrawRectFn>);
static_assert(std::is_same_v<decltype(&_get_pixel), MoteGetPixelFn>);
static_assert(std::is_same_v<decltype(&_set_pixel), MoteSetPixelFn>);

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        yorimemo::motelib::g_module = module;
    } else if (reason == DLL_PROCESS_DETACH && reserved != nullptr) {
        // The process is ending: the system reclaims windows and GDI objects, and calling into
        // user32 from here is unsafe, so the state is abandoned rather than destroyed.
        static_cast<void>(yorimemo::motelib::holder().release());
    }
    return TRUE;
}
