#include "motelib/display_win32.h"

#include <windowsx.h>

#include <algorithm>
#include <map>
#include <new>
#include <optional>
#include <set>
#include <string>

#include "motelib/guarded.h"
#include "motelib/resize_edge.h"

namespace yorimemo::motelib {
namespace {

constexpr wchar_t kClassName[] = L"YorimemoMote";
constexpr UINT kStackOnly = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
// Posted by a mote's window to itself to pass a new scale on from its own queue.
constexpr UINT kDpiChangedLater = WM_APP + 1;

// The Display that registered the class: a module registers it once, so there is one at a time.
// Kept here rather than in each window, where every write is a round trip to the window server.
Display* g_display = nullptr;

// GWLP_USERDATA holds the mote id (-1 once deleted); the window is made with it.
LRESULT CALLBACK moteWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          *static_cast<const std::int32_t*>(create->lpCreateParams));
    }
    Display* display = g_display;
    if (display == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    const auto id = static_cast<std::int32_t>(GetWindowLongPtrW(window, GWLP_USERDATA));
    // A message whose handling throws is dropped: the window answers as a plain one would.
    const std::optional<LRESULT> answer = guarded(std::optional<LRESULT>{}, [&] {
        return std::optional<LRESULT>{display->handleMessage(window, id, message, wParam, lParam)};
    });
    return answer ? *answer : DefWindowProcW(window, message, wParam, lParam);
}

bool copyImage(MoteView& view, const Dib& source) {
    if (view.image && view.image->sameSize(source)) {
        view.image->copyFrom(source);
        return true;
    }
    try {
        view.image = std::make_unique<Picture>(source);
    } catch (const std::bad_alloc&) {
        return false;  // the mote keeps what it showed
    }
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

// The pixels per inch the window is drawn for: its monitor's where the system tells (Windows 10
// on), else the system's.
std::int32_t windowDpi(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = [] {
        const HMODULE user32 = GetModuleHandleW(L"user32.dll");
        return user32 == nullptr ? nullptr
                                 : reinterpret_cast<GetDpiForWindowFn>(reinterpret_cast<void*>(
                                       GetProcAddress(user32, "GetDpiForWindow")));
    }();
    if (getDpiForWindow != nullptr) {
        if (const UINT dpi = getDpiForWindow(window); dpi != 0)
            return static_cast<std::int32_t>(dpi);
    }
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen != nullptr) ReleaseDC(nullptr, screen);
    return dpi;
}

// Whether a point in the window's client area lies on its width handle.
bool onEdge(HWND window, POINT client) {
    RECT rect{};
    GetClientRect(window, &rect);
    return onResizeEdge(client.x, rect.right - rect.left, windowDpi(window));
}

HCURSOR resizeCursor() {
    return LoadCursorW(nullptr, IDC_SIZEWE);
}

}  // namespace

Display::Display(HINSTANCE module) : module_(module) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = moteWindowProc;
    windowClass.hInstance = module_;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    windowClass_ = RegisterClassExW(&windowClass);
    if (windowClass_ != 0) g_display = this;
}

Display::~Display() {
    // The windows must not call back into a Display that is going away.
    if (g_display == this) g_display = nullptr;
    motes_.clear();
    retired_.clear();
    if (windowClass_ != 0) UnregisterClassW(kClassName, module_);
}

void Display::setFloating(bool floating) {
    // Asked again around every menu and dialog: only a real switch moves anything.
    if (floating == floating_) return;
    floating_ = floating;
    lock_.markRestack();
    flush();
}

std::int32_t Display::create(std::int32_t x, std::int32_t y, std::int32_t priority) {
    if (g_display != this) return -1;  // the windows would answer to another Display
    const std::int32_t id = motes_.add(x, y, priority);
    if (id < 0) return -1;
    // The rebuild of a note: the new mote shows in the old one's window.
    const auto vacated = std::find_if(retired_.begin(), retired_.end(), [](const Retired& retired) {
        return static_cast<bool>(retired.view.window);
    });
    if (lock_.held() && vacated != retired_.end()) {
        motes_.find(id)->view.window = std::move(vacated->view.window);
        SetWindowLongPtrW(vacated->window, GWLP_USERDATA, id);
        if (vacated->dragged) pointer_.takeOver(id);
        lock_.markDirty(id);
        lock_.markRestack();
        return id;
    }
    // Under a lock the window waits for the release: made then, it lands where a new window
    // goes, which is where the plan mostly puts it, and shows its name from the start.
    if (!lock_.held() && !makeWindow(*motes_.find(id))) {
        motes_.remove(id);
        return -1;
    }
    lock_.markDirty(id);
    lock_.markCreated(id, quiet_);
    flush();
    return id;
}

bool Display::makeWindow(MoteSet<MoteView>::Mote& mote) {
    std::int32_t id = mote.id;
    const DWORD exStyle = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | (floating_ ? WS_EX_TOPMOST : 0);
    const Picture* image = mote.view.image.get();
    HWND window = CreateWindowExW(exStyle, kClassName, mote.view.title.c_str(), WS_POPUP, mote.x,
                                  mote.y, image ? image->width() : 0, image ? image->height() : 0,
                                  nullptr, nullptr, module_, &id);
    mote.view.window.reset(window);
    return window != nullptr;
}

bool Display::remove(std::int32_t id) {
    std::optional<MoteView> view = motes_.remove(id);
    if (!view) return false;
    const bool dragged = pointer_.dragging(id);
    pointer_.forget(id);
    HWND window = view->window.get();
    if (window != nullptr) SetWindowLongPtrW(window, GWLP_USERDATA, -1);
    if (lock_.held()) retired_.push_back(Retired{std::move(*view), window, dragged});
    return true;
}

bool Display::setPriority(std::int32_t id, std::int32_t priority) {
    if (!motes_.setPriority(id, priority)) return false;
    lock_.markPrioritySet(id, quiet_);
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

bool Display::setTitle(std::int32_t id, std::wstring_view title) {
    auto* mote = motes_.find(id);
    if (mote == nullptr) return false;
    mote->view.title = title;
    // A window still to be made takes the name when it is.
    return !mote->view.window ||
           SetWindowTextW(mote->view.window.get(), mote->view.title.c_str()) != FALSE;
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
    // The windows taken over show their new pictures from now on.
    retired_.erase(std::remove_if(retired_.begin(), retired_.end(),
                                  [](const Retired& retired) { return !retired.view.window; }),
                   retired_.end());
    // Planned before anything is shown, so that a mote that moves is shown in its place by the
    // same call: a start showing a hundred new motes costs one call each, as bare windows do.
    const std::vector<StackMove> moves =
        pending.restack ? planRestack(pending.stack) : std::vector<StackMove>{};
    std::set<std::int32_t> moved;
    for (const StackMove& move : moves) moved.insert(move.id);
    for (const std::int32_t id : pending.dirty) {
        auto* mote = motes_.find(id);
        if (mote != nullptr && moved.count(id) == 0) present(*mote, std::nullopt);
    }
    const std::set<std::int32_t> dirty(pending.dirty.begin(), pending.dirty.end());
    const HWND bandTop = this->bandTop();
    for (const StackMove& move : moves) {
        auto& mote = *motes_.find(move.id);
        HWND after = move.behind ? motes_.find(*move.behind)->view.window.get() : bandTop;
        if (move.over) {
            // Right behind whatever lies right in front of that mote: the window stack has no
            // "in front of". Above a topmost window only topmost ones lie.
            HWND above = GetWindow(motes_.find(*move.over)->view.window.get(), GW_HWNDPREV);
            if (mote.view.window && above == mote.view.window.get()) {
                if (dirty.count(move.id) != 0) present(mote, std::nullopt);
                continue;
            }
            const bool aboveTopmost =
                above != nullptr && (GetWindowLongPtrW(above, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
            after = above == nullptr || (aboveTopmost && !floating_) ? bandTop : above;
        }
        if (dirty.count(move.id) == 0) {
            if (mote.view.window)
                SetWindowPos(mote.view.window.get(), after, 0, 0, 0, 0, kStackOnly);
            continue;
        }
        present(mote, after);
        HWND window = mote.view.window.get();
        // Wine 8 was seen to show a hidden window on top, whatever the call said.
        if (window != nullptr && after != bandTop && GetWindow(window, GW_HWNDPREV) != after) {
            SetWindowPos(window, after, 0, 0, 0, 0, kStackOnly);
        }
    }
    // Only now, with their successors shown, do the windows deleted under the lock go.
    std::vector<Retired> doomed = std::move(retired_);
    retired_.clear();
}

void Display::present(MoteSet<MoteView>::Mote& mote, std::optional<HWND> after) {
    if (!mote.view.window) {
        if (!makeWindow(mote)) {
            lock_.markDirty(mote.id);  // tried again at the next release
            return;
        }
        // Made now, it lies where it was asked to go when that is the top of its band.
        if (after == bandTop()) after.reset();
    }
    const Picture* image = mote.view.image.get();
    const bool visible = image != nullptr && !mote.view.hidden;
    const UINT flags = (after ? 0 : SWP_NOZORDER) | SWP_NOACTIVATE | SWP_NOOWNERZORDER |
                       (visible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
    SetWindowPos(mote.view.window.get(), after.value_or(nullptr), mote.x, mote.y,
                 image ? image->width() : 0, image ? image->height() : 0, flags);
    if (visible) {
        RedrawWindow(mote.view.window.get(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
}

std::vector<StackMove> Display::planRestack(const StackChanges& changes) {
    const std::vector<std::int32_t> wanted = motes_.frontToBack();
    auto windowOf = [this](std::int32_t id) { return motes_.find(id)->view.window.get(); };

    // Always-on-top switched: every mote goes to the top of its new band, back to front so that
    // their order stays.
    for (auto id = wanted.rbegin(); id != wanted.rend(); ++id) {
        HWND window = windowOf(*id);
        if (window == nullptr) continue;  // made in the new band when it is made
        const bool topmost = (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
        if (topmost != floating_) {
            SetWindowPos(window, floating_ ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, kStackOnly);
        }
    }

    // One snapshot of the stack: asking each window for its neighbour costs a round trip per
    // mote, which adds up while a hundred notes are drawn at start.
    std::map<HWND, std::int32_t> idOf;
    for (const std::int32_t id : wanted) {
        if (windowOf(id) != nullptr) idOf[windowOf(id)] = id;
    }
    std::vector<std::int32_t> current;
    for (HWND window : stackOrder()) {
        const auto found = idOf.find(window);
        if (found != idOf.end()) current.push_back(found->second);
    }
    return planStack(wanted, current, changes);
}

void Display::paint(HWND window, std::int32_t id) {
    PAINTSTRUCT paintStruct;
    HDC dc = BeginPaint(window, &paintStruct);
    // A window deleted or taken over under the lock shows its old picture until the release.
    const Picture* image = nullptr;
    for (const Retired& retired : retired_) {
        if (retired.window == window) image = retired.view.image.get();
    }
    if (image == nullptr) {
        if (const auto* mote = motes_.find(id)) image = mote->view.image.get();
    }
    if (dc != nullptr && image != nullptr) image->paint(dc);
    EndPaint(window, &paintStruct);
}

LRESULT Display::handleMessage(HWND window, std::int32_t id, UINT message, WPARAM wParam,
                               LPARAM lParam) {
    switch (message) {
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;  // a click on a note leaves the focus where it is
        case WM_ERASEBKGND:
            return 1;  // the image covers the whole window
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT && motes_.find(id) != nullptr) {
                POINT point{};
                GetCursorPos(&point);
                ScreenToClient(window, &point);
                if (onEdge(window, point)) {
                    SetCursor(resizeCursor());
                    return TRUE;
                }
            }
            return DefWindowProcW(window, message, wParam, lParam);
        case WM_PAINT:
            paint(window, id);
            return 0;
        case WM_DPICHANGED:
            // It arrives inside whatever moved the window, a _move from the attached window
            // among them, which may answer by rebuilding the card: the news goes out later.
            PostMessageW(window, kDpiChangedLater, wParam, 0);
            return 0;
        case kDpiChangedLater:
            if (motes_.find(id) != nullptr) {
                send(window, PointerEvent{kEventDpiChanged, id, LOWORD(wParam), HIWORD(wParam)});
            }
            return 0;
        case WM_LBUTTONDOWN:
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_CAPTURECHANGED:
            break;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
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
            send(window,
                 pointer_.press(id, point.x, point.y,
                                onEdge(window, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)})));
            break;
        case WM_MOUSEMOVE:
            if (GetCapture() != window) break;
            // Captured, the window is not asked for a cursor: the handle's stays while it is held.
            if (pointer_.resizing(id)) SetCursor(resizeCursor());
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
    SendMessageW(target, WM_COPYDATA, reinterpret_cast<WPARAM>(from),
                 reinterpret_cast<LPARAM>(&data));
}

}  // namespace yorimemo::motelib
