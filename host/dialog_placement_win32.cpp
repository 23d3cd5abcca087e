#include "host/dialog_placement_win32.h"

#include "host/dialog_placement.h"

namespace yorimemo {

void MoveDialogToNote(HWND dialog, const NoteTable& table, int slot) {
    const NoteSlot& note = table.slots[slot];
    RECT frame{};
    ::GetWindowRect(dialog, &frame);
    const DialogOrigin origin =
        PlaceDialog(note.x, note.y, frame.right - frame.left, frame.bottom - frame.top,
                    table.desktopRight, table.desktopBottom);
    ::SetWindowPos(dialog, nullptr, origin.x, origin.y, 0, 0, SWP_NOSIZE);
}

}  // namespace yorimemo
