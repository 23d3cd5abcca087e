#include "host/dialog_placement_win32.h"

#include "host/dialog_placement.h"

namespace yorimemo {

void MoveDialogToNote(HWND dialog, const NoteTable& table, int slot) {
    const NoteSlot& note = table.slots[slot];
    RECT frame{};
    ::GetWindowRect(dialog, &frame);
    const DialogOrigin origin = PlaceDialog(note.shownX, note.shownY, frame.right - frame.left,
                                            frame.bottom - frame.top, DialogArea(table, slot));
    ::SetWindowPos(dialog, nullptr, origin.x, origin.y, 0, 0, SWP_NOSIZE);
}

}  // namespace yorimemo
