#pragma once
// The binding to mote.dll: loads it by full path from the program's directory and binds its
// exports by name.

#include <windows.h>

#include <array>
#include <cstddef>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>

#include "mote/mote_library.h"
#include "platform/handles_win32.h"

namespace yorimemo {

inline constexpr wchar_t kMoteFileName[] = L"mote.dll";

// Every export the binding looks up, in slot order; the program calls only some of them.
inline constexpr std::array<std::string_view, 68> kMoteExportNames = {
    "_load",
    "_unload",
    "_attach",
    "_use_layeredwindow",
    "_floating",
    "_create",
    "_create_h",
    "_delete",
    "_use_alpha",
    "_set_pos",
    "_move",
    "_set_image",
    "_set_image_h",
    "_update_image_h",
    "_set_texture",
    "_set_texture_h",
    "_set_texture_image",
    "_set_texture_image_h",
    "_update_texture_image_h",
    "_set_texture_pos",
    "_trimming_texture",
    "_set_priority",
    "_set_smooth_level",
    "_set_scale",
    "_set_scale_f",
    "_set_area",
    "_clear_area",
    "_set_move",
    "_clear_move",
    "_update_move",
    "_get_elapse",
    "_lock_draw",
    "_unlock_draw",
    "_update_desktopsize",
    "_redraw",
    "_hide",
    "_show",
    "_get_pos",
    "_get_pos_x",
    "_get_pos_y",
    "_get_width",
    "_get_height",
    "_get_priority",
    "_get_area",
    "_get_left",
    "_get_top",
    "_get_right",
    "_get_bottom",
    "_hit_check",
    "_set_label",
    "_get_label",
    "_search_label",
    "_create_bitmap",
    "_load_bitmap",
    "_safe_bitmap",
    "_delete_bitmap",
    "_get_trans_color",
    "_fill",
    "_draw_image",
    "_draw_alpha",
    "_get_pixel",
    "_set_pixel",
    "_draw_line",
    "_draw_rect",
    "_fill_rect",
    "_create_font",
    "_delete_font",
    "_draw_text",
};

// Slot of an export name; used in constant expressions, where an unknown name fails to compile.
constexpr std::size_t moteExportSlot(std::string_view name) {
    for (std::size_t i = 0; i < kMoteExportNames.size(); ++i) {
        if (kMoteExportNames[i] == name) return i;
    }
    throw std::invalid_argument("not an export of mote.dll");
}

// The UTF-16 twins of the two text calls, bound beside the 68 when the library has them; without
// them the text goes to the older calls in code page 932.
inline constexpr std::string_view kMoteCreateFontW = "_create_font_w";
inline constexpr std::string_view kMoteDrawTextW = "_draw_text_w";
// Bound beside them too when the library has it; without it the file's cards stack as the user's.
inline constexpr std::string_view kMoteQuietStack = "_quiet_stack";
// Likewise; without it the cards' windows have no names.
inline constexpr std::string_view kMoteSetTitleW = "_set_title_w";

// A text as the library takes it: a GMEM_FIXED block of exactly the text's bytes, no terminator,
// and its length. The library frees the block. An empty text is null and 0, and so is a text whose
// block cannot be allocated: the call still goes ahead, as with an empty text, so the library sees
// the same sequence of calls and nothing is left half done.
struct LibraryText {
    const char* bytes = nullptr;
    int length = 0;
};

using GlobalAllocFn = HGLOBAL(WINAPI*)(UINT flags, SIZE_T bytes);

LibraryText makeLibraryText(std::string_view text, GlobalAllocFn allocate = &::GlobalAlloc);

class CMoteLibrary : public MoteLibrary {
public:
    // Loads `programDirectory`\`fileName` by that full path and calls `_load`; the current
    // directory is left alone.
    CMoteLibrary(const std::wstring& programDirectory, const std::wstring& fileName);
    // Calls `_unload` and frees the library.
    ~CMoteLibrary() override;

    CMoteLibrary(const CMoteLibrary&) = delete;
    CMoteLibrary& operator=(const CMoteLibrary&) = delete;

    HMODULE module() const { return module_.get(); }
    // False for a missing export and for a name that is neither one of the 68 nor a twin.
    bool isBound(std::string_view name) const;

    bool attach(LibraryHandle window) override;
    bool floating(std::int32_t flag) override;
    std::optional<std::int32_t> create(std::int32_t x, std::int32_t y, std::int32_t a,
                                       std::int32_t b, std::int32_t priority) override;
    bool remove(std::int32_t moteId) override;
    bool setPriority(std::int32_t moteId, std::int32_t priority) override;
    bool move(std::int32_t moteId, std::int32_t dx, std::int32_t dy) override;
    bool hide(std::int32_t moteId) override;
    bool show(std::int32_t moteId) override;
    std::optional<std::int32_t> posX(std::int32_t moteId) override;
    std::optional<std::int32_t> posY(std::int32_t moteId) override;
    bool setImage(std::int32_t moteId, LibraryHandle bitmap, LibraryHandle surface) override;
    bool updateImage(std::int32_t moteId) override;
    bool lockDraw() override;
    bool quietStack(std::int32_t flag) override;
    bool unlockDraw() override;
    bool redraw() override;
    bool updateDesktopSize() override;
    std::optional<LibraryHandle> createBitmap(std::int32_t width, std::int32_t height,
                                              LibraryHandle* surface) override;
    bool deleteBitmap(LibraryHandle bitmap) override;
    bool fillRect(LibraryHandle bitmap, LibraryHandle surface, std::int32_t x, std::int32_t y,
                  std::int32_t width, std::int32_t height, std::uint32_t color) override;
    bool drawLine(LibraryHandle bitmap, LibraryHandle surface, std::int32_t x1, std::int32_t y1,
                  std::int32_t x2, std::int32_t y2, std::uint32_t color) override;
    std::optional<LibraryHandle> createFont(std::string_view name, TextEncoding encoding,
                                            std::int32_t size, std::int32_t dpi) override;
    bool deleteFont(LibraryHandle font) override;
    bool drawText(LibraryHandle bitmap, std::string_view text, TextEncoding encoding,
                  LibraryHandle font, std::uint32_t color, TextRect* rect,
                  std::uint32_t format) override;
    bool setTitle(std::int32_t moteId, std::string_view text, TextEncoding encoding) override;

private:
    // The one place where an export's address becomes a typed function pointer; null stays null.
    template <typename Fn>
    static Fn typed(FARPROC address) {
        return reinterpret_cast<Fn>(reinterpret_cast<void*>(address));
    }
    template <typename Fn>
    Fn entry(std::size_t slot) const {
        return typed<Fn>(entries_[slot]);
    }

    // Calls the export when bound and reports whether it was.
    template <typename Fn, typename... Args>
    bool callIfBound(std::size_t slot, Args... args) const {
        const Fn fn = entry<Fn>(slot);
        if (fn == nullptr) return false;
        fn(args...);
        return true;
    }

    Module module_;
    std::array<FARPROC, kMoteExportNames.size()> entries_{};
    FARPROC createFontW_ = nullptr;
    FARPROC drawTextW_ = nullptr;
    FARPROC quietStack_ = nullptr;
    FARPROC setTitleW_ = nullptr;
};

}  // namespace yorimemo
