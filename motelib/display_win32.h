#pragma once
// The motes on screen: one borderless tool window per mote showing a copy of its bitmap, kept in
// the stacking order of the priorities, and the mouse events reported to the attached window.
// Other programs' windows keep their places among the motes: only a pressed mote, a new one and
// a switch of the topmost band bring motes to the top; any other move puts a mote right behind
// the mote in front of it.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "motelib/dib_win32.h"
#include "motelib/draw_lock.h"
#include "motelib/mote_set.h"
#include "motelib/picture_win32.h"
#include "motelib/pointer_tracker.h"
#include "platform/handles_win32.h"

namespace yorimemo::motelib {

// What a mote shows. Its own copy of the image keeps the window intact while the caller redraws
// or frees the bitmap; the copy is renewed by setImage and updateImage.
struct MoteView {
    std::unique_ptr<Picture> image;
    std::intptr_t source = 0;  // the caller's bitmap handle the image was copied from
    bool hidden = false;
    std::wstring title;  // given to the window when it is made
    Window window;       // declared last: the window goes before the image it paints
};

class Display {
public:
    explicit Display(HINSTANCE module);
    ~Display();
    Display(const Display&) = delete;
    Display& operator=(const Display&) = delete;

    void attach(HWND target) { target_ = target; }
    void setFloating(bool floating);
    // While set, motes made and priorities set are not the user's act: they lift no mote over
    // another program's window (see stack_plan.h).
    void setQuiet(bool quiet) { quiet_ = quiet; }

    // -1 when no window could be made. Under a draw lock the window is made at the release, in
    // its place in the stack (one that cannot be made then is tried again at the next release).
    std::int32_t create(std::int32_t x, std::int32_t y, std::int32_t priority);
    bool remove(std::int32_t id);
    bool setPriority(std::int32_t id, std::int32_t priority);
    bool move(std::int32_t id, std::int32_t dx, std::int32_t dy);
    bool setPosition(std::int32_t id, std::int32_t x, std::int32_t y);
    bool setHidden(std::int32_t id, bool hidden);
    // Names the mote's window; nothing is drawn or restacked.
    bool setTitle(std::int32_t id, std::wstring_view title);

    const MoteSet<MoteView>::Mote* find(std::int32_t id) { return motes_.find(id); }

    // `bitmap` is the caller's handle of `image`, remembered for updateImage.
    bool setImage(std::int32_t id, std::intptr_t bitmap, const Dib& image);
    // The source bitmap's current pixels, or null when it is gone.
    bool updateImage(std::int32_t id, const Dib* source);
    std::intptr_t imageSource(std::int32_t id);

    void lock() { lock_.lock(); }
    bool unlock();
    void redrawAll();

    LRESULT handleMessage(HWND window, std::int32_t id, UINT message, WPARAM wParam, LPARAM lParam);

private:
    // Everything due on screen now, unless a draw lock defers it.
    void flush();
    // Shows the mote as it is now; `after`, when given, is the window it goes behind.
    void present(MoteSet<MoteView>::Mote& mote, std::optional<HWND> after);
    // The mote's window, hidden, in its place and size and named; false when none could be made.
    bool makeWindow(MoteSet<MoteView>::Mote& mote);
    HWND bandTop() const { return floating_ ? HWND_TOPMOST : HWND_TOP; }
    // The moves that put the stack in priority order, after a switch of always-on-top.
    std::vector<StackMove> planRestack(const StackChanges& changes);
    void paint(HWND window, std::int32_t id);
    void send(HWND from, const PointerEvent& event) const;

    HINSTANCE module_;
    ATOM windowClass_ = 0;
    HWND target_ = nullptr;
    bool floating_ = false;
    bool quiet_ = false;
    MoteSet<MoteView> motes_;
    DrawLock lock_;
    // A mote deleted under a draw lock keeps showing until the lock is released. A mote made
    // under the same lock takes over its window, and so its place in the stack; the old picture
    // stays on it until then. A window not taken over goes at the release.
    struct Retired {
        MoteView view;
        HWND window = nullptr;  // kept after the view hands its window on
        bool dragged = false;   // its drag goes on with the mote that takes the window
    };
    std::vector<Retired> retired_;
    PointerTracker pointer_;
};

}  // namespace yorimemo::motelib
