#pragma once
// The exports of mote.dll, the floating-image library: shared by the library and the program.
// Exported by undecorated name (mote.def); the program binds them with GetProcAddress.
//
// Integers (ids, coordinates, sizes, flags, priorities) are 32-bit. Handles, surfaces and
// addresses are pointer-sized (MoteHandle), so the same declarations serve 32- and 64-bit builds.
// Colours are 0x00RRGGBB. A text travels as a GMEM_FIXED block of code page 932 bytes without
// terminator plus its length in bytes; the library takes ownership of the block and frees it. An
// empty text is null and 0. The UTF-16 twins below take the caller's own text instead.
// Mouse actions on a mote are sent to the attached window as WM_COPYDATA (see mote_events.h).

#include <windows.h>

#include <cstdint>

typedef INT_PTR MoteHandle;

#ifdef MOTE_BUILDING_LIBRARY
#define MOTE_API extern "C" __declspec(dllexport)
#else
#define MOTE_API extern "C"
#endif

// Pointer types for GetProcAddress, one per export the program calls.
typedef int(WINAPI* MoteLoadFn)(const char* directory, int length);
typedef int(WINAPI* MoteUnloadFn)();
typedef int(WINAPI* MoteAttachFn)(HWND window);
typedef int(WINAPI* MoteFloatingFn)(int flag);
typedef int(WINAPI* MoteCreateFn)(int x, int y, int reserved1, int reserved2, int priority);
typedef int(WINAPI* MoteDeleteFn)(int id);
typedef int(WINAPI* MoteSetPriorityFn)(int id, int priority);
typedef int(WINAPI* MoteMoveFn)(int id, int dx, int dy);
typedef int(WINAPI* MoteGetPosFn)(int id);
typedef int(WINAPI* MoteSetImageHFn)(int id, MoteHandle bitmap, MoteHandle surface);
typedef int(WINAPI* MoteUpdateImageHFn)(int id);
typedef int(WINAPI* MoteVoidFn)();  // _lock_draw, _unlock_draw, _redraw, _update_desktopsize
typedef MoteHandle(WINAPI* MoteCreateBitmapFn)(int width, int height, MoteHandle* surface);
typedef int(WINAPI* MoteDeleteBitmapFn)(MoteHandle bitmap);
typedef int(WINAPI* MoteFillRectFn)(MoteHandle bitmap, MoteHandle surface, int x, int y, int width,
                                    int height, std::uint32_t color);
typedef int(WINAPI* MoteDrawLineFn)(MoteHandle bitmap, MoteHandle surface, int x1, int y1, int x2,
                                    int y2, std::uint32_t color);
typedef MoteHandle(WINAPI* MoteCreateFontFn)(const char* name, int length, int size);
typedef int(WINAPI* MoteDeleteFontFn)(MoteHandle font);
// rect: left, top, right, bottom. format 0x410 with bitmap 0 measures (sets bottom); 0x10 draws.
typedef int(WINAPI* MoteDrawTextFn)(MoteHandle bitmap, const char* text, int length,
                                    MoteHandle font, std::uint32_t color, int* rect, int format);

// The UTF-16 twins of _create_font and _draw_text (exported as _create_font_w and _draw_text_w;
// a library without them still serves the code page 932 calls above). The text is the caller's:
// UTF-16 units without terminator and their count, read only during the call, null and 0 when
// empty. _draw_text_w means what _draw_text means. _create_font_w sizes the font for `dpi` pixels
// per inch; 0 means the screen's, as _create_font always does.
typedef MoteHandle(WINAPI* MoteCreateFontWFn)(const wchar_t* name, int length, int size, int dpi);
typedef int(WINAPI* MoteDrawTextWFn)(MoteHandle bitmap, const wchar_t* text, int length,
                                     MoteHandle font, std::uint32_t color, int* rect, int format);

// _quiet_stack(flag), exported beside the others (a library without it stacks every mote as the
// user's own). While flag is 1, motes made and priorities set are not the user's act (they came
// from the note file as another program changed it): none of them goes to the top. Each goes
// right behind the mote in front of it by priority; one with no mote in front goes right in front
// of the mote behind it, and the only mote stays where it was made. So no such mote is lifted
// over another program's window. 0 ends it. Returns 1.
typedef int(WINAPI* MoteQuietStackFn)(int flag);

// _set_title_w(id, text, length), exported beside the others (a library without it leaves the
// motes' windows unnamed): names the mote's window, for screen readers and window lists. The
// text is the caller's, as for _draw_text_w; null and 0 clear the name. Nothing is drawn or
// restacked. Returns 1, 0 for an unknown id.
typedef int(WINAPI* MoteSetTitleWFn)(int id, const wchar_t* text, int length);

// _hide and _show, which the program calls; _get_width, _get_height, _get_priority.
typedef int(WINAPI* MoteIdFn)(int id);

// Further exports the program binds but does not call.
typedef int(WINAPI* MoteSetPosFn)(int id, int x, int y);
typedef int(WINAPI* MoteFillFn)(MoteHandle bitmap, MoteHandle surface, std::uint32_t color);
// The outline of the rectangle, one pixel wide, inside (x, y, width, height).
typedef int(WINAPI* MoteDrawRectFn)(MoteHandle bitmap, MoteHandle surface, int x, int y, int width,
                                    int height, std::uint32_t color);
// 0x00RRGGBB, or 0xFFFFFFFF outside the bitmap or for an unknown bitmap.
typedef std::uint32_t(WINAPI* MoteGetPixelFn)(MoteHandle bitmap, MoteHandle surface, int x, int y);
typedef int(WINAPI* MoteSetPixelFn)(MoteHandle bitmap, MoteHandle surface, int x, int y,
                                    std::uint32_t color);
