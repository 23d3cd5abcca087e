#include "mote/note_renderer.h"

#include <algorithm>

#include "mote/card_placement.h"
#include "mote/display_scale.h"

namespace yorimemo {

namespace {

constexpr std::int32_t kMarginX = 5;
constexpr std::int32_t kTextTop = 6;
constexpr std::int32_t kMarginBottom = 5;
constexpr std::uint32_t kTopEdgeColor = 0x000000;
constexpr std::uint32_t kRedTextColor = 0xFF0000;

std::uint32_t fillColor(NoteColor color) {
    switch (color) {
        case kCyan:
            return 0x7FFFFF;
        case kMagenta:
            return 0xFF7FFF;
        case kYellow:
            return 0xFFFF7F;
    }
    return 0x000000;
}

// Each fill component less 0x7F, as a signed 32-bit value placed at its shift and joined by OR:
// a black fill therefore gives 0xFFFFFF81.
std::uint32_t textColorFor(std::uint32_t fill) {
    auto part = [fill](int shift) {
        const std::int32_t difference = static_cast<std::int32_t>((fill >> shift) & 0xFF) - 0x7F;
        return static_cast<std::uint32_t>(difference) << shift;
    };
    return part(16) | part(8) | part(0);
}

// Sizes come from a hand-editable file, so edge arithmetic must not overflow.
std::int32_t less(std::int32_t value, std::int32_t amount) {
    return static_cast<std::int32_t>(static_cast<std::int64_t>(value) - amount);
}

std::int32_t cardHeight(std::int32_t measuredBottom, std::int32_t marginBottom,
                        std::int32_t defaultHeight) {
    const std::int64_t height = static_cast<std::int64_t>(measuredBottom) + marginBottom;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        std::max<std::int64_t>(height, defaultHeight), INT32_MIN, INT32_MAX));
}

}  // namespace

NoteColors noteColors(NoteColor color, std::int32_t textRed) {
    const std::uint32_t fill = fillColor(color);
    return {fill, textRed != 0 ? kRedTextColor : textColorFor(fill)};
}

void renderNote(MoteLibrary& library, NoteTable& table, int slot, std::int32_t priority,
                bool stayInUse, std::int32_t dpi) {
    NoteSlot& note = table.slots[slot];
    dpi = usableDpi(dpi != 0 ? dpi : cardDpi(table, note));
    // The card's geometry at its monitor's scale; the text is laid out there by a font made for
    // that scale, never stretched.
    const auto scaled = [dpi](std::int32_t value) { return scaleToDpi(value, dpi); };
    const std::int32_t width = scaled(note.width);
    const std::int32_t marginX = scaled(kMarginX);
    const std::int32_t topEdge = std::max(scaled(1), 1);
    library.lockDraw();
    const LibraryHandle font =
        library.createFont(note.fontName, table.encoding, note.fontSize, dpi).value_or(0);

    TextRect rect{marginX, scaled(kTextTop), less(width, marginX), 0};
    const NoteColors colors = noteColors(note.color, note.textRed);
    library.drawText(0, note.text, table.encoding, font, colors.text, &rect, kDrawTextMeasure);
    const std::int32_t height =
        cardHeight(rect.bottom, scaled(kMarginBottom), scaled(table.defaultHeight));

    // A note stored where no screen is any more is shown where it can be reached; x and y keep
    // the stored place until the user moves the card.
    const CardOrigin shown =
        fitOnScreen(shownPlace(note.x, note.droppedX, note.droppedDpi, table.systemDpi),
                    shownPlace(note.y, note.droppedY, note.droppedDpi, table.systemDpi), width,
                    height, table.workAreas);
    note.shownX = shown.x;
    note.shownY = shown.y;
    note.cardWidth = width;
    note.cardHeight = height;
    note.dpi = dpi;

    if (note.hasCard) library.remove(note.moteId);
    note.hasCard = false;
    const auto created = library.create(shown.x, shown.y, 0, 0, priority);
    if (created && *created >= 0) {
        note.moteId = *created;
        note.hasCard = true;
    } else if (!stayInUse) {
        note.moteId = -1;
    }

    if (note.bitmap != 0) library.deleteBitmap(note.bitmap);
    note.bitmap = library.createBitmap(width, height, &note.surface).value_or(0);
    // Without a card the id may be another card's: nothing may be shown through it.
    if (note.hasCard) {
        library.setImage(note.moteId, note.bitmap, note.surface);
        library.setTitle(note.moteId, note.text, table.encoding);
    }
    library.fillRect(note.bitmap, note.surface, 0, topEdge, width, less(height, topEdge),
                     colors.fill);
    for (std::int32_t row = 0; row < topEdge; ++row) {
        library.drawLine(note.bitmap, note.surface, 0, row, less(width, 1), row, kTopEdgeColor);
    }
    library.drawText(note.bitmap, note.text, table.encoding, font, colors.text, &rect,
                     kDrawTextWrap);
    library.deleteFont(font);
    if (note.hasCard) library.updateImage(note.moteId);
    library.unlockDraw();
}

}  // namespace yorimemo
