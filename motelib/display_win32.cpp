#include "motelib/display_win32.h"

#include <windowsx.h>

#include <algorithm>
#include <optional>
#include <string>

#include "motelib/guarded.h"

namespace yorimemo::motelib {
namespace {

constexpr char kClassName[] = "YorimemoMote";
constexpr UINT kStackOnly = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER;

// Window extra slot 0 holds the Display, GWLP_USERDATA the mote id (-1 once deleted).
struct WindowParams {
    Display* display;
    std::int32_t id;
};

LRESULT CALLBACK moteWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        const auto* params = static_cast<const WindowParams*>(create->lpCreateParams);
        SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(params->display));
        SetWindowLongPtrA(window, GWLP_USERDATA, params->id);
    }
    auto* display = reinterpret_cast<Display*>(GetWindowLongPtrA(window, 0));
    if (display == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    const auto id = static_cast<std::int32_t>(GetWindowLongPtrA(window, GWLP_USERDATA));
    // A message whose handling throws is dropped: the window answers as a plain one would.
    const std::optional<LRESULT> answer = guarded(std::optional<LRESULT>{}, [&] {
        return std::optional<LRESULT>{display->handleMessage(window, id, message, wParam, lParam)};
    });
    return answer ? *answer : DefWindowProcA(window, message, wParam, lParam);
}

void detach(HWND window) {
    SetWindowLongPtrA(window, 0, 0);
    SetWindowLongPtrA(window, GWLP_USERDATA, -1);
}

bool copyImage(MoteView& view, const Dib& source) {
    if (!view.image || view.image->width() != source.width() ||
        view.image->height() != source.height()) {
        view.image = Dib::create(source.width(), source.height());
        if (!view.image) return false;
    }
    view.image->copyFrom(source);
    return true;
}

// Top-level windows from front to back, in one request to the window system.
std::vector<HWND> stackOrder() {
    std::vector<HWND> stack;
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            // Out of memory the list stays short, and the enumeration stops.
            return guarded(FALSE, [&] {
                reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
                return TRUE;
            });
        },
        reinterpret_cast<LPARAM>(&stack));
    return stack;
}

}  // namespace

Display::Display(HINSTANCE module) : module_(module) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = moteWindowProc;
    windowClass.cbWndExtra = sizeof(LONG_PTR);
    windowClass.hInstance = module_;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    windowClass_ = RegisterClassExA(&windowClass);
}

Display::~Display() {
    // The windows must not call back into a Display that is going away.
    for (const std::int32_t id : motes_.ids()) detach(motes_.find(id)->view.window.get());
    for (const MoteView& view : retired_) detach(view.window.get());
    motes_.clear();
    retired_.clear();
    if (windowClass_ != 0) UnregisterClassA(kClassName, module_);
}

void Display::setFloating(bool floating) {
    floating_ = floating;
    lock_.markRestack();
    flush();
}

std::int32_t Display::create(std::int32_t x, std::int32_t y, std::int32_t priority) {
    const std::int32_t id = motes_.add(x, y, priority);
    if (id < 0) return -1;
    WindowParams params{this, id};
    const DWORD exStyle = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | (floating_ ? WS_EX_TOPMOST : 0);
    HWND window = CreateWindowExA(exStyle, kClassName, "", WS_POPUP, x, y, 0, 0, nullptr, nullptr,
                                  module_, &params);
    if (window == nullptr) {
        motes_.remove(id);
        return -1;
    }
    motes_.find(id)->view.window.reset(window);
    lock_.markDirty(id);
    lock_.markRestack();
    flush();
    return id;
}

bool Display::remove(std::int32_t id) {
    std::optional<MoteView> view = motes_.remove(id);
    if (!view) return false;
    pointer_.forget(id);
    SetWindowLongPtrA(view->window.get(), GWLP_USERDATA, -1);
    if (lock_.held()) retired_.push_back(std::move(*view));
    return true;
}

bool Display::setPriority(std::int32_t id, std::int32_t priority) {
    if (!motes_.setPriority(id, priority)) return false;
    lock_.markRestack();
    flush();
    return true;
}

bool Display::move(std::int32_t id, std::int32_t dx, std::int32_t dy) {
    if (!motes_.move(id, dx, dy)) return false;
    lock_.markDirty(id);
    flush();
    return true;
}

bool Display::setPosition(std::int32_t id, std::int32_t x, std::int32_t y) {
    auto* mote = motes_.find(id);
    if (mote == nullptr) return false;
    mote->x = x;
    mote->y = y;
    lock_.markDirty(id);
    flush();
    return true;
}

bool Display::setHidden(std::int32_t id, bool hidden) {
    auto* mote = motes_.find(id);
    if (mote == nullptr) return false;
    mote->view.hidden = hidden;
    lock_.markDirty(id);
    flush();
    return true;
}

bool Display::setImage(std::int32_t id, std::intptr_t bitmap, const Dib& image) {
    auto* mote = motes_.find(id);
    if (mote == nullptr || !copyImage(mote->view, image)) return false;
    mote->view.source = bitmap;
    lock_.markDirty(id);
    flush();
    return true;
}

bool Display::updateImage(std::int32_t id, const Dib* source) {
    auto* mote = motes_.find(id);
    if (mote == nullptr || source == nullptr || !copyImage(mote->view, *source)) return false;
    lock_.markDirty(id);
    flush();
    return true;
}

std::intptr_t Display::imageSource(std::int32_t id) {
    const auto* mote = motes_.find(id);
    return mote == nullptr ? 0 : mote->view.source;
}

bool Display::unlock() {
    if (!lock_.held()) return false;
    if (lock_.unlock()) flush();
    return true;
}

void Display::redrawAll() {
    for (const std::int32_t id : motes_.ids()) lock_.markDirty(id);
    lock_.markRestack();
    flush();
}

void Display::flush() {
    if (lock_.held()) return;
    const DrawLock::Pending pending = lock_.take();
    bool shownOrHidden = false;
    for (const std::int32_t id : pending.dirty) {
        if (auto* mote = motes_.find(id)) shownOrHidden = present(*mote) || shownOrHidden;
    }
    // Showing a window may place it anywhere in the stack (it does under Wine), so the order
    // is applied again whenever a mote appears.
    if (pending.restack || shownOrHidden) restack();
    // Only now, with their successors shown, do the windows deleted under the lock go.
    std::vector<MoteView> doomed = std::move(retired_);
    retired_.clear();
}

bool Display::present(MoteSet<MoteView>::Mote& mote) {
    const Dib* image = mote.view.image.get();
    const bool visible = image != nullptr && !mote.view.hidden;
    const bool wasVisible = IsWindowVisible(mote.view.window.get()) != FALSE;
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (visible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
    SetWindowPos(mote.view.window.get(), nullptr, mote.x, mote.y, image ? image->width() : 0,
                 image ? image->height() : 0, flags);
    if (visible) {
        RedrawWindow(mote.view.window.get(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
    return visible != wasVisible;
}

void Display::restack() {
    // One snapshot of the stack, kept in step with the moves made here: asking for each
    // window's neighbour instead costs a round trip per mote on every restack, which adds up to
    // a square of the note count while the notes are drawn at start.
    std::vector<HWND> stack = stackOrder();
    HWND previous = nullptr;  // the mote just placed; none for the front one
    for (const std::int32_t id : motes_.frontToBack()) {
        HWND window = motes_.find(id)->view.window.get();
        const bool topmost = (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
        if (topmost != floating_) {
            SetWindowPos(window, floating_ ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, kStackOnly);
            stack = stackOrder();
        }
        auto at = std::find(stack.begin(), stack.end(), window);
        const HWND above = at == stack.end() || at == stack.begin() ? nullptr : *(at - 1);
        // Only windows out of place move: raising one note moves one window, not all of them.
        if (above != previous) {
            HWND after = previous != nullptr ? previous : floating_ ? HWND_TOPMOST : HWND_TOP;
            SetWindowPos(window, after, 0, 0, 0, 0, kStackOnly);
            if (previous == nullptr) {
                // The top of its band lies below any topmost windows: ask where that is.
                stack = stackOrder();
            } else {
                if (at != stack.end()) stack.erase(at);
                const auto below = std::find(stack.begin(), stack.end(), previous);
                stack.insert(below == stack.end() ? below : below + 1, window);
            }
        }
        previous = window;
    }
}

void Display::paint(HWND window, std::int32_t id) {
    PAINTSTRUCT paintStruct;
    HDC dc = BeginPaint(window, &paintStruct);
    const Dib* image = nullptr;
    if (const auto* mote = motes_.find(id)) {
        image = mote->view.image.get();
    } else {
        for (const MoteView& view : retired_) {
            if (view.window.get() == window) image = view.image.get();
        }
    }
    if (dc != nullptr && image != nullptr) {
        BitBlt(dc, 0, 0, image->width(), image->height(), image->dc(), 0, 0, SRCCOPY);
    }
    EndPaint(window, &paintStruct);
}

LRESULT Display::handleMessage(HWND window, std::int32_t id, UINT message, WPARAM wParam,
                               LPARAM lParam) {
    switch (message) {
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;  // a click on a note leaves the focus where it is
        case WM_ERASEBKGND:
            return 1;  // the image covers the whole window
        case WM_PAINT:
            paint(window, id);
            return 0;
        case WM_LBUTTONDOWN:
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_CAPTURECHANGED:
            break;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }

    if (motes_.find(id) == nullptr) {
        // A window whose mote was deleted under the lock reports nothing.
        if (message != WM_CAPTURECHANGED && GetCapture() == window) ReleaseCapture();
        return 0;
    }
    POINT point{};
    if (message == WM_CAPTURECHANGED) {
        GetCursorPos(&point);
    } else {
        point = POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ClientToScreen(window, &point);
    }
    // Each send is the handler's last act: the receiver may move, restack or delete this mote,
    // or unload the library, before the send returns.
    switch (message) {
        case WM_LBUTTONDOWN:
            // Captured so that a drag keeps reporting when the pointer runs ahead of the note.
            SetCapture(window);
            send(window, pointer_.press(id, point.x, point.y));
            break;
        case WM_MOUSEMOVE:
            if (GetCapture() != window) break;
            if (const auto event = pointer_.moveTo(id, point.x, point.y)) send(window, *event);
            break;
        case WM_LBUTTONUP: {
            const PointerEvent event = pointer_.release(id, point.x, point.y);
            if (GetCapture() == window) ReleaseCapture();
            send(window, event);
            break;
        }
        case WM_RBUTTONUP:
            send(window, pointer_.rightRelease(id, point.x, point.y));
            break;
        case WM_LBUTTONDBLCLK:
            send(window, pointer_.doubleClick(id, point.x, point.y));
            break;
        case WM_CAPTURECHANGED:
            if (const auto event = pointer_.captureLost(id, point.x, point.y)) send(window, *event);
            break;
        default:
            break;
    }
    return 0;
}

void Display::send(HWND from, const PointerEvent& event) const {
    HWND target = target_;
    if (target == nullptr || !IsWindow(target)) return;
    const std::string payload = formatEvent(event);
    COPYDATASTRUCT data{};
    data.cbData = static_cast<DWORD>(payload.size());
    data.lpData = const_cast<char*>(payload.data());
    SendMessageA(target, WM_COPYDATA, reinterpret_cast<WPARAM>(from),
                 reinterpret_cast<LPARAM>(&data));
}

}  // namespace yorimemo::motelib
