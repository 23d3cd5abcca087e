#include "motelib/canvas_win32.h"

#include <algorithm>
#include <climits>

#include "motelib/face_choice.h"
#include "motelib/gdi_values.h"
#include "motelib/text_limits.h"

namespace yorimemo::motelib {
namespace {

// A caller asking for many different faces must not grow the cache without end.
constexpr std::size_t kMaxCachedFaces = 64;

int CALLBACK countFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

RECT toRect(const int* rect) {
    return RECT{rect[0], rect[1], rect[2], rect[3]};
}

}  // namespace

Canvas::Canvas() : measureDc_(CreateCompatibleDC(nullptr)) {
    if (HDC screen = GetDC(nullptr)) {
        dpi_ = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
    }
}

Handle Canvas::createBitmap(int width, int height, Handle* surface) {
    std::unique_ptr<Dib> dib = Dib::create(width, height);
    if (surface != nullptr) *surface = dib ? reinterpret_cast<Handle>(dib->dc()) : 0;
    if (!dib) return 0;
    return bitmaps_.add(std::move(dib));
}

bool Canvas::deleteBitmap(Handle bitmap) {
    return bitmaps_.remove(bitmap);
}

const Dib* Canvas::bitmap(Handle bitmap) {
    return findBitmap(bitmap);
}

Dib* Canvas::findBitmap(Handle bitmap) {
    std::unique_ptr<Dib>* dib = bitmaps_.find(bitmap);
    return dib == nullptr ? nullptr : dib->get();
}

bool Canvas::fill(Handle bitmap, std::uint32_t rgb) {
    Dib* dib = findBitmap(bitmap);
    return dib != nullptr && fillRect(bitmap, 0, 0, dib->width(), dib->height(), rgb);
}

bool Canvas::fillRect(Handle bitmap, int x, int y, int width, int height, std::uint32_t rgb) {
    Dib* dib = findBitmap(bitmap);
    if (dib == nullptr || width <= 0 || height <= 0) return false;
    Brush brush(CreateSolidBrush(toColorRef(rgb)));
    if (!brush) return false;
    // Clipped to the bitmap first, so huge values cannot overflow the far edge.
    const RECT area{
        std::max(x, 0), std::max(y, 0),
        static_cast<LONG>(std::min<std::int64_t>(std::int64_t{x} + width, dib->width())),
        static_cast<LONG>(std::min<std::int64_t>(std::int64_t{y} + height, dib->height()))};
    if (area.left < area.right && area.top < area.bottom) FillRect(dib->dc(), &area, brush.get());
    return true;
}

bool Canvas::drawLine(Handle bitmap, int x1, int y1, int x2, int y2, std::uint32_t rgb) {
    Dib* dib = findBitmap(bitmap);
    if (dib == nullptr) return false;
    Pen pen(CreatePen(PS_SOLID, 1, toColorRef(rgb)));
    if (!pen) return false;
    ScopedSelect select(dib->dc(), pen.get());
    MoveToEx(dib->dc(), x1, y1, nullptr);
    LineTo(dib->dc(), x2, y2);
    // GDI leaves out the last point; callers expect the line to reach it.
    SetPixelV(dib->dc(), x2, y2, toColorRef(rgb));
    return true;
}

bool Canvas::drawRect(Handle bitmap, int x, int y, int width, int height, std::uint32_t rgb) {
    if (width <= 0 || height <= 0) return false;
    const int right =
        static_cast<int>(std::min<std::int64_t>(std::int64_t{x} + width - 1, INT_MAX));
    const int bottom =
        static_cast<int>(std::min<std::int64_t>(std::int64_t{y} + height - 1, INT_MAX));
    return drawLine(bitmap, x, y, right, y, rgb) &&
           drawLine(bitmap, right, y, right, bottom, rgb) &&
           drawLine(bitmap, right, bottom, x, bottom, rgb) &&
           drawLine(bitmap, x, bottom, x, y, rgb);
}

std::optional<std::uint32_t> Canvas::pixel(Handle bitmap, int x, int y) {
    Dib* dib = findBitmap(bitmap);
    if (dib == nullptr || !dib->contains(x, y)) return std::nullopt;
    return dib->pixel(x, y);
}

bool Canvas::setPixel(Handle bitmap, int x, int y, std::uint32_t rgb) {
    Dib* dib = findBitmap(bitmap);
    if (dib == nullptr || !dib->contains(x, y)) return false;
    dib->setPixel(x, y, rgb);
    return true;
}

Handle Canvas::createFont(std::wstring_view face, int points, int dpi) {
    Font font = makeFont(face, points, dpi);
    if (!font) return 0;
    return fonts_.add(std::move(font));
}

bool Canvas::deleteFont(Handle font) {
    return fonts_.remove(font);
}

Font Canvas::makeFont(std::wstring_view face, int points, int dpi) {
    const std::wstring chosen =
        chooseFace(face, [this](const std::wstring& name) { return faceInstalled(name); });
    LOGFONTW logFont{};
    logFont.lfHeight = -fontPixelHeight(points, dpi > 0 ? dpi : dpi_);
    logFont.lfWeight = FW_NORMAL;
    logFont.lfCharSet = SHIFTJIS_CHARSET;
    logFont.lfOutPrecision = OUT_DEFAULT_PRECIS;
    logFont.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    logFont.lfQuality = DEFAULT_QUALITY;
    logFont.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    std::copy(chosen.begin(), chosen.end(), logFont.lfFaceName);
    return Font(CreateFontIndirectW(&logFont));
}

bool Canvas::faceInstalled(const std::wstring& face) {
    if (const auto it = installedFaces_.find(face); it != installedFaces_.end()) return it->second;
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    std::copy_n(face.begin(), std::min(face.size(), kMaxFaceUnits), wanted.lfFaceName);
    bool found = false;
    EnumFontFamiliesExW(measureDc_.get(), &wanted, countFace, reinterpret_cast<LPARAM>(&found), 0);
    if (installedFaces_.size() >= kMaxCachedFaces) installedFaces_.clear();
    installedFaces_.emplace(face, found);
    return found;
}

HFONT Canvas::fontFor(Handle font) {
    if (Font* known = fonts_.find(font)) return known->get();
    if (!defaultFont_) defaultFont_ = makeFont(kDefaultFaceWide, kDefaultFontPoints, 0);
    return defaultFont_.get();
}

bool Canvas::drawText(Handle bitmap, std::wstring_view text, Handle font, std::uint32_t rgb,
                      int* rect, unsigned format) {
    if (rect == nullptr) return false;
    // The text block belongs to the library and must not be written into.
    format &= ~static_cast<unsigned>(DT_MODIFYSTRING);
    RECT area = toRect(rect);
    text = shownText(text);
    const int length = static_cast<int>(text.size());
    if ((format & DT_CALCRECT) != 0) {
        if (length == 0) {
            rect[3] = rect[1];
            return true;
        }
        // The same font on a memory DC of the same screen: measured and drawn heights agree.
        ScopedSelect select(measureDc_.get(), fontFor(font));
        DrawTextW(measureDc_.get(), text.data(), length, &area, format);
        rect[3] = std::min<LONG>(area.bottom, kMaxTextBottom);
        return true;
    }
    Dib* dib = findBitmap(bitmap);
    if (dib == nullptr) return false;
    if (length == 0) return true;
    ScopedSelect select(dib->dc(), fontFor(font));
    SetTextColor(dib->dc(), toColorRef(rgb));
    SetBkMode(dib->dc(), TRANSPARENT);
    DrawTextW(dib->dc(), text.data(), length, &area, format);
    return true;
}

}  // namespace yorimemo::motelib
