#pragma once
// The program's whole data model: 100 note slots plus the settings and counters that go with them.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "notes/text_encoding.h"

namespace yorimemo {

inline constexpr int kSlotCount = 100;

// Stored as read: values outside 0..2 are kept and drawn black.
enum NoteColor : std::int32_t { kCyan = 0, kMagenta = 1, kYellow = 2 };

// Handles that belong to the floating-image library; kept and handed back unread.
using LibraryHandle = std::intptr_t;

// A rectangle of the virtual screen; right and bottom lie just outside it.
struct ScreenRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

// A monitor's work area (without task bars) and the pixels per inch it shows at; 0 when unknown.
struct WorkArea {
    ScreenRect area;
    std::int32_t dpi = 0;
};

struct NoteSlot {
    // 0 or more: in use; negative: free. Without a card (the library could not make one) it is the
    // id last stored, kept so that the note stays in use; it then names no card.
    std::int32_t moteId = -1;
    std::int32_t priority = 0;
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    NoteColor color = kCyan;
    std::string fontName;
    std::int32_t fontSize = 0;
    std::string text;  // line breaks held as CR LF
    std::int32_t textRed = 0;
    LibraryHandle bitmap = 0;
    LibraryHandle surface = 0;
    bool hasCard = false;  // moteId is the library's id of the card on screen
    // Where the card is shown, in screen pixels: x, y at the system's scale, moved while the
    // stored place lies off every screen; its size at the scale of its monitor, whose pixels per
    // inch it was drawn for. None of these is stored.
    std::int32_t shownX = 0;
    std::int32_t shownY = 0;
    std::int32_t cardWidth = 0;
    std::int32_t cardHeight = 0;
    std::int32_t dpi = 0;
    // The pixel the card was last dropped on, at the system's scale `droppedDpi` (0: none this
    // run). At 150 % not every pixel is a stored place scaled; this one is kept while the place
    // stored is the one it gave.
    std::int32_t droppedX = 0;
    std::int32_t droppedY = 0;
    std::int32_t droppedDpi = 0;

    bool inUse() const { return moteId >= 0; }
};

struct NoteTable {
    std::array<NoteSlot, kSlotCount> slots;
    // The file's encoding: every text and font name in the table is in it.
    TextEncoding encoding = TextEncoding::kShiftJis;

    std::int32_t nextPriority = 0;
    std::int32_t floating = 0;
    std::int32_t hotKey = 0;  // 1: the note shortcut is wanted
    std::int32_t defaultWidth = 300;
    std::int32_t defaultHeight = 50;
    std::string defaultFontName;
    std::int32_t defaultFontSize = 9;
    std::int32_t desktopRight = 0;
    std::int32_t desktopBottom = 0;
    // The monitors' work areas; empty when unknown.
    std::vector<WorkArea> workAreas;
    // The pixels per inch that stored places are scaled to.
    std::int32_t systemDpi = 96;

    // The slot whose card on screen has this id; -1 when none.
    int findCard(std::int32_t moteId) const;
    // First slot whose mote id is negative; -1 when all are in use.
    int firstFreeSlot() const;
    // Returns the next priority and advances the counter.
    std::int32_t takeNextPriority();
};

}  // namespace yorimemo
