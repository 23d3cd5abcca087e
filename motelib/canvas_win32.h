#pragma once
// Bitmaps and fonts handed out to callers, and the drawing calls on them. Callers hold opaque
// handles; every call looks its handle up, so unknown handles are refused, never dereferenced.

#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "motelib/dib_win32.h"
#include "motelib/handle_table.h"
#include "motelib/scoped_select_win32.h"
#include "platform/handles_win32.h"

namespace yorimemo::motelib {

using Handle = std::intptr_t;

class Canvas {
public:
    Canvas();

    // Zero when the size is refused. The surface word receives the bitmap's memory DC; drawing
    // goes through the bitmap handle alone, so a stale surface never reaches a freed DC.
    Handle createBitmap(int width, int height, Handle* surface);
    bool deleteBitmap(Handle bitmap);
    const Dib* bitmap(Handle bitmap);

    bool fill(Handle bitmap, std::uint32_t rgb);
    bool fillRect(Handle bitmap, int x, int y, int width, int height, std::uint32_t rgb);
    // Both end points are drawn.
    bool drawLine(Handle bitmap, int x1, int y1, int x2, int y2, std::uint32_t rgb);
    bool drawRect(Handle bitmap, int x, int y, int width, int height, std::uint32_t rgb);
    std::optional<std::uint32_t> pixel(Handle bitmap, int x, int y);
    bool setPixel(Handle bitmap, int x, int y, std::uint32_t rgb);

    // `dpi` 0 sizes the font for the screen.
    Handle createFont(std::wstring_view face, int points, int dpi);
    bool deleteFont(Handle font);

    // rect: left, top, right, bottom. With DT_CALCRECT only measures, on any bitmap or none, and
    // sets the bottom to that of the text wrapped at the rectangle's width. Otherwise draws into
    // the bitmap with a transparent background. An unknown font draws with the default one.
    bool drawText(Handle bitmap, std::wstring_view text, Handle font, std::uint32_t rgb, int* rect,
                  unsigned format);

private:
    Dib* findBitmap(Handle bitmap);
    HFONT fontFor(Handle font);
    bool faceInstalled(const std::wstring& face);
    Font makeFont(std::wstring_view face, int points, int dpi);

    HandleTable<std::unique_ptr<Dib>> bitmaps_;
    HandleTable<Font> fonts_;
    std::map<std::wstring, bool> installedFaces_;
    MemoryDc measureDc_;
    Font defaultFont_;
    int dpi_ = 96;
};

}  // namespace yorimemo::motelib
