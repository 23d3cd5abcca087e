#pragma once
// The calls the program makes into the floating-image library, independent of how it is loaded.
// Every call reports whether the library provides that entry point: a missing one is skipped by
// the caller and counts as 0 where a result is needed.

#include <cstdint>
#include <optional>
#include <string_view>

#include "mote/event_fields.h"
#include "notes/note_table.h"

namespace yorimemo {

// left, top, right, bottom in bitmap pixels, as the library's text calls expect them.
struct TextRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

inline constexpr std::uint32_t kDrawTextMeasure = 0x410;  // DT_CALCRECT | DT_WORDBREAK
inline constexpr std::uint32_t kDrawTextWrap = 0x10;      // DT_WORDBREAK

class MoteLibrary {
public:
    virtual ~MoteLibrary() = default;

    virtual bool attach(LibraryHandle window) = 0;
    virtual bool floating(std::int32_t flag) = 0;
    virtual std::optional<std::int32_t> create(std::int32_t x, std::int32_t y, std::int32_t a,
                                               std::int32_t b, std::int32_t priority) = 0;
    virtual bool remove(std::int32_t moteId) = 0;  // the library's _delete
    virtual bool setPriority(std::int32_t moteId, std::int32_t priority) = 0;
    virtual bool move(std::int32_t moteId, std::int32_t dx, std::int32_t dy) = 0;
    // A hidden mote keeps its place and image and is shown again as it was.
    virtual bool hide(std::int32_t moteId) = 0;
    virtual bool show(std::int32_t moteId) = 0;
    virtual std::optional<std::int32_t> posX(std::int32_t moteId) = 0;
    virtual std::optional<std::int32_t> posY(std::int32_t moteId) = 0;
    virtual bool setImage(std::int32_t moteId, LibraryHandle bitmap, LibraryHandle surface) = 0;
    virtual bool updateImage(std::int32_t moteId) = 0;
    virtual bool lockDraw() = 0;
    // 1: the cards made and restacked from now on come from the file, not the user's hand; 0 ends.
    virtual bool quietStack(std::int32_t flag) = 0;
    virtual bool unlockDraw() = 0;
    virtual bool redraw() = 0;
    virtual bool updateDesktopSize() = 0;
    // Writes the surface word through `surface` when provided.
    virtual std::optional<LibraryHandle> createBitmap(std::int32_t width, std::int32_t height,
                                                      LibraryHandle* surface) = 0;
    virtual bool deleteBitmap(LibraryHandle bitmap) = 0;
    virtual bool fillRect(LibraryHandle bitmap, LibraryHandle surface, std::int32_t x,
                          std::int32_t y, std::int32_t width, std::int32_t height,
                          std::uint32_t color) = 0;
    virtual bool drawLine(LibraryHandle bitmap, LibraryHandle surface, std::int32_t x1,
                          std::int32_t y1, std::int32_t x2, std::int32_t y2,
                          std::uint32_t color) = 0;
    // Texts are the note file's bytes in `encoding`; the binding converts them for the library.
    // `size` in points for a screen of `dpi` pixels per inch; 0: the screen's own.
    virtual std::optional<LibraryHandle> createFont(std::string_view name, TextEncoding encoding,
                                                    std::int32_t size, std::int32_t dpi) = 0;
    virtual bool deleteFont(LibraryHandle font) = 0;
    // An empty text goes to the library as a null address and length 0.
    virtual bool drawText(LibraryHandle bitmap, std::string_view text, TextEncoding encoding,
                          LibraryHandle font, std::uint32_t color, TextRect* rect,
                          std::uint32_t format) = 0;

    // The card window's name (see card_title.h), from the note file's bytes in `encoding`; only
    // the window's name changes, not what is shown.
    virtual bool setTitle(std::int32_t moteId, std::string_view text, TextEncoding encoding) = 0;

    // The lines of the last event message; they live as long as the binding.
    EventFields eventFields;
};

}  // namespace yorimemo
