#include "mote/mote_library_win32.h"

#include <climits>
#include <cstring>
#include <utility>

#include "mote/card_title.h"
#include "mote/display_scale.h"
#include "motelib/mote_api.h"
#include "notes/text_codec_win32.h"

namespace yorimemo {
namespace {

constexpr std::size_t kLoad = moteExportSlot("_load");
constexpr std::size_t kUnload = moteExportSlot("_unload");
constexpr std::size_t kAttach = moteExportSlot("_attach");
constexpr std::size_t kFloating = moteExportSlot("_floating");
constexpr std::size_t kCreate = moteExportSlot("_create");
constexpr std::size_t kDelete = moteExportSlot("_delete");
constexpr std::size_t kSetPriority = moteExportSlot("_set_priority");
constexpr std::size_t kMove = moteExportSlot("_move");
constexpr std::size_t kHide = moteExportSlot("_hide");
constexpr std::size_t kShow = moteExportSlot("_show");
constexpr std::size_t kGetPosX = moteExportSlot("_get_pos_x");
constexpr std::size_t kGetPosY = moteExportSlot("_get_pos_y");
constexpr std::size_t kSetImageH = moteExportSlot("_set_image_h");
constexpr std::size_t kUpdateImageH = moteExportSlot("_update_image_h");
constexpr std::size_t kLockDraw = moteExportSlot("_lock_draw");
constexpr std::size_t kUnlockDraw = moteExportSlot("_unlock_draw");
constexpr std::size_t kRedraw = moteExportSlot("_redraw");
constexpr std::size_t kUpdateDesktopSize = moteExportSlot("_update_desktopsize");
constexpr std::size_t kCreateBitmap = moteExportSlot("_create_bitmap");
constexpr std::size_t kDeleteBitmap = moteExportSlot("_delete_bitmap");
constexpr std::size_t kFillRect = moteExportSlot("_fill_rect");
constexpr std::size_t kDrawLine = moteExportSlot("_draw_line");
constexpr std::size_t kCreateFont = moteExportSlot("_create_font");
constexpr std::size_t kDeleteFont = moteExportSlot("_delete_font");
constexpr std::size_t kDrawText = moteExportSlot("_draw_text");

// By full path only: a bare name sends the loader through the system folders and every folder
// on PATH, so a mote.dll in any of them would run inside the program. Without a directory there is
// no path, and nothing is loaded.
HMODULE loadFromDirectory(const std::wstring& directory, const std::wstring& fileName) {
    if (directory.empty()) return nullptr;
    const std::wstring path = directory + L"\\" + fileName;
    return ::LoadLibraryW(path.c_str());
}

std::int32_t screenDpi() {
    HDC screen = ::GetDC(nullptr);
    if (screen == nullptr) return kBaseDpi;
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return usableDpi(dpi);
}

FARPROC bind(HMODULE module, std::string_view name) {
    return module == nullptr ? nullptr : ::GetProcAddress(module, std::string(name).c_str());
}

// The library sees four plain ints; copied so the struct's layout never matters.
class Corners {
public:
    explicit Corners(TextRect* rect) : rect_(rect) {
        if (rect_ == nullptr) return;
        corners_[0] = rect_->left;
        corners_[1] = rect_->top;
        corners_[2] = rect_->right;
        corners_[3] = rect_->bottom;
    }
    ~Corners() {
        if (rect_ == nullptr) return;
        rect_->left = corners_[0];
        rect_->top = corners_[1];
        rect_->right = corners_[2];
        rect_->bottom = corners_[3];
    }
    Corners(const Corners&) = delete;
    Corners& operator=(const Corners&) = delete;

    int* get() { return rect_ != nullptr ? corners_ : nullptr; }

private:
    TextRect* rect_;
    int corners_[4] = {};
};

// A UTF-16 text as the twins take it: the caller's own units, which the library only reads
// during the call; null and 0 when empty (or too long to count in an int).
class WideText {
public:
    explicit WideText(std::wstring text) : text_(std::move(text)) {
        if (text_.size() > INT_MAX) text_.clear();
    }
    const wchar_t* units() const { return text_.empty() ? nullptr : text_.data(); }
    int length() const { return static_cast<int>(text_.size()); }

private:
    std::wstring text_;
};

}  // namespace

LibraryText makeLibraryText(std::string_view text, GlobalAllocFn allocate) {
    if (text.empty() || text.size() > INT_MAX) return {};
    void* block = allocate(GMEM_FIXED, text.size());
    if (block == nullptr) return {};
    std::memcpy(block, text.data(), text.size());
    return {static_cast<const char*>(block), static_cast<int>(text.size())};
}

CMoteLibrary::CMoteLibrary(const std::wstring& programDirectory, const std::wstring& fileName)
    : module_(loadFromDirectory(programDirectory, fileName)) {
    for (std::size_t i = 0; i < kMoteExportNames.size(); ++i) {
        entries_[i] = bind(module_.get(), kMoteExportNames[i]);
    }
    createFontW_ = bind(module_.get(), kMoteCreateFontW);
    drawTextW_ = bind(module_.get(), kMoteDrawTextW);
    quietStack_ = bind(module_.get(), kMoteQuietStack);
    setTitleW_ = bind(module_.get(), kMoteSetTitleW);
    if (const auto load = entry<MoteLoadFn>(kLoad)) {
        // The library's own text convention; ours ignores the folder.
        const LibraryText directory =
            makeLibraryText(EncodeLossy(programDirectory, TextEncoding::kShiftJis));
        load(directory.bytes, directory.length);
    }
    eventFields.clear();
}

CMoteLibrary::~CMoteLibrary() {
    callIfBound<MoteUnloadFn>(kUnload);
    module_.reset();
    eventFields.clear();
}

bool CMoteLibrary::isBound(std::string_view name) const {
    if (name == kMoteCreateFontW) return createFontW_ != nullptr;
    if (name == kMoteDrawTextW) return drawTextW_ != nullptr;
    if (name == kMoteQuietStack) return quietStack_ != nullptr;
    if (name == kMoteSetTitleW) return setTitleW_ != nullptr;
    for (std::size_t i = 0; i < kMoteExportNames.size(); ++i) {
        if (kMoteExportNames[i] == name) return entries_[i] != nullptr;
    }
    return false;
}

bool CMoteLibrary::attach(LibraryHandle window) {
    return callIfBound<MoteAttachFn>(kAttach, reinterpret_cast<HWND>(window));
}

bool CMoteLibrary::floating(std::int32_t flag) {
    return callIfBound<MoteFloatingFn>(kFloating, flag);
}

std::optional<std::int32_t> CMoteLibrary::create(std::int32_t x, std::int32_t y, std::int32_t a,
                                                 std::int32_t b, std::int32_t priority) {
    const auto fn = entry<MoteCreateFn>(kCreate);
    if (fn == nullptr) return std::nullopt;
    return fn(x, y, a, b, priority);
}

bool CMoteLibrary::remove(std::int32_t moteId) {
    return callIfBound<MoteDeleteFn>(kDelete, moteId);
}

bool CMoteLibrary::setPriority(std::int32_t moteId, std::int32_t priority) {
    return callIfBound<MoteSetPriorityFn>(kSetPriority, moteId, priority);
}

bool CMoteLibrary::move(std::int32_t moteId, std::int32_t dx, std::int32_t dy) {
    return callIfBound<MoteMoveFn>(kMove, moteId, dx, dy);
}

bool CMoteLibrary::hide(std::int32_t moteId) {
    return callIfBound<MoteIdFn>(kHide, moteId);
}

bool CMoteLibrary::show(std::int32_t moteId) {
    return callIfBound<MoteIdFn>(kShow, moteId);
}

std::optional<std::int32_t> CMoteLibrary::posX(std::int32_t moteId) {
    const auto fn = entry<MoteGetPosFn>(kGetPosX);
    if (fn == nullptr) return std::nullopt;
    return fn(moteId);
}

std::optional<std::int32_t> CMoteLibrary::posY(std::int32_t moteId) {
    const auto fn = entry<MoteGetPosFn>(kGetPosY);
    if (fn == nullptr) return std::nullopt;
    return fn(moteId);
}

bool CMoteLibrary::setImage(std::int32_t moteId, LibraryHandle bitmap, LibraryHandle surface) {
    return callIfBound<MoteSetImageHFn>(kSetImageH, moteId, MoteHandle{bitmap},
                                        MoteHandle{surface});
}

bool CMoteLibrary::updateImage(std::int32_t moteId) {
    return callIfBound<MoteUpdateImageHFn>(kUpdateImageH, moteId);
}

bool CMoteLibrary::lockDraw() {
    return callIfBound<MoteVoidFn>(kLockDraw);
}

bool CMoteLibrary::quietStack(std::int32_t flag) {
    const auto fn = typed<MoteQuietStackFn>(quietStack_);
    if (fn == nullptr) return false;
    fn(flag);
    return true;
}

bool CMoteLibrary::unlockDraw() {
    return callIfBound<MoteVoidFn>(kUnlockDraw);
}

bool CMoteLibrary::redraw() {
    return callIfBound<MoteVoidFn>(kRedraw);
}

bool CMoteLibrary::updateDesktopSize() {
    return callIfBound<MoteVoidFn>(kUpdateDesktopSize);
}

std::optional<LibraryHandle> CMoteLibrary::createBitmap(std::int32_t width, std::int32_t height,
                                                        LibraryHandle* surface) {
    const auto fn = entry<MoteCreateBitmapFn>(kCreateBitmap);
    if (fn == nullptr) return std::nullopt;
    // The library always gets a word to write, whether or not the caller wants it back.
    MoteHandle word = surface != nullptr ? *surface : 0;
    const MoteHandle bitmap = fn(width, height, &word);
    if (surface != nullptr) *surface = word;
    return bitmap;
}

bool CMoteLibrary::deleteBitmap(LibraryHandle bitmap) {
    return callIfBound<MoteDeleteBitmapFn>(kDeleteBitmap, MoteHandle{bitmap});
}

bool CMoteLibrary::fillRect(LibraryHandle bitmap, LibraryHandle surface, std::int32_t x,
                            std::int32_t y, std::int32_t width, std::int32_t height,
                            std::uint32_t color) {
    return callIfBound<MoteFillRectFn>(kFillRect, MoteHandle{bitmap}, MoteHandle{surface}, x, y,
                                       width, height, color);
}

bool CMoteLibrary::drawLine(LibraryHandle bitmap, LibraryHandle surface, std::int32_t x1,
                            std::int32_t y1, std::int32_t x2, std::int32_t y2,
                            std::uint32_t color) {
    return callIfBound<MoteDrawLineFn>(kDrawLine, MoteHandle{bitmap}, MoteHandle{surface}, x1, y1,
                                       x2, y2, color);
}

std::optional<LibraryHandle> CMoteLibrary::createFont(std::string_view name, TextEncoding encoding,
                                                      std::int32_t size, std::int32_t dpi) {
    if (const auto wide = typed<MoteCreateFontWFn>(createFontW_)) {
        const WideText face(DecodeText(name, encoding));
        return wide(face.units(), face.length(), size, dpi);
    }
    const auto fn = entry<MoteCreateFontFn>(kCreateFont);
    if (fn == nullptr) return std::nullopt;
    // The older call sizes its fonts for the screen's pixels per inch: a card on a monitor of
    // another scale asks for the points that come out at the same pixel height there.
    if (dpi != 0) {
        const std::int32_t screen = screenDpi();
        if (usableDpi(dpi) != screen) size = mulDivRounded(size, usableDpi(dpi), screen);
    }
    const LibraryText text = makeLibraryText(ToShiftJis(name, encoding));
    return fn(text.bytes, text.length, size);
}

bool CMoteLibrary::deleteFont(LibraryHandle font) {
    return callIfBound<MoteDeleteFontFn>(kDeleteFont, MoteHandle{font});
}

bool CMoteLibrary::drawText(LibraryHandle bitmap, std::string_view text, TextEncoding encoding,
                            LibraryHandle font, std::uint32_t color, TextRect* rect,
                            std::uint32_t format) {
    if (const auto wide = typed<MoteDrawTextWFn>(drawTextW_)) {
        const WideText units(DecodeText(text, encoding));
        Corners corners(rect);
        wide(bitmap, units.units(), units.length(), font, color, corners.get(),
             static_cast<int>(format));
        return true;
    }
    const auto fn = entry<MoteDrawTextFn>(kDrawText);
    if (fn == nullptr) return false;
    const LibraryText block = makeLibraryText(ToShiftJis(text, encoding));
    Corners corners(rect);
    fn(bitmap, block.bytes, block.length, font, color, corners.get(), static_cast<int>(format));
    return true;
}

bool CMoteLibrary::setTitle(std::int32_t moteId, std::string_view text, TextEncoding encoding) {
    const auto fn = typed<MoteSetTitleWFn>(setTitleW_);
    if (fn == nullptr) return false;
    const WideText title(CardTitle(DecodeText(text, encoding)));
    fn(moteId, title.units(), title.length());
    return true;
}

}  // namespace yorimemo
