#include "host/host_dialog_win32.h"

#include <utility>

#include "framework/popup_menu.h"
#include "host/autostart_win32.h"
#include "host/display_dpi_win32.h"
#include "host/edit_note_dialog_win32.h"
#include "host/erase_note_dialog_win32.h"
#include "host/notice_text.h"
#include "mote/mote_library_win32.h"
#include "notes/text_codec_win32.h"
#include "res/resource.h"
#include "text/code_page_win32.h"

namespace yorimemo {

namespace {

// With its 5 x 5 dialog units the window lies wholly off-screen there.
constexpr int kParkedX = -100;
constexpr int kParkedY = -100;
// The desktop watch and the retries; display changes also arrive as messages at once.
constexpr UINT kTimerPeriodMs = 1000;
constexpr UINT kTrayRetryPeriodMs = 3000;
// A sync client writes a file in pieces; it is read once its size and time stayed this long.
constexpr UINT kSettlePeriodMs = 500;
// Where the folder gives no notifications, the note file is compared this often (timer ticks).
constexpr unsigned kTicksPerPoll = 3;
constexpr wchar_t kTrayIconFile[] = L"yorimemo.ico";
constexpr wchar_t kTrayTip[] = L"yorimemo";

DesktopExtent readDesktopExtent() {
    RECT desktop{};
    ::GetWindowRect(::GetDesktopWindow(), &desktop);
    return {desktop.right, desktop.bottom};
}

class TrackedMenu : public OpenMenu {
public:
    TrackedMenu(std::unique_ptr<CPopupMenu> menu, HWND owner)
        : menu_(std::move(menu)), owner_(owner) {}

    MenuCommand track() override {
        POINT pointer{};
        ::GetCursorPos(&pointer);
        // Without this the menu would not close when the user clicks elsewhere.
        ::SetForegroundWindow(owner_);
        return static_cast<MenuCommand>(
            menu_->Track(owner_, pointer.x, pointer.y, TPM_RIGHTBUTTON));
    }

private:
    std::unique_ptr<CPopupMenu> menu_;
    HWND owner_;
};

}  // namespace

CHostDlg::CHostDlg(std::wstring programDirectory, std::wstring iniPath, HWND parent,
                   TrayIcon::ShellNotify shell)
    : CModalDialog(IDD_HOST, parent),
      programDirectory_(std::move(programDirectory)),
      iniPath_(std::move(iniPath)),
      // The settings file's paths are UTF-8 in portable code.
      host_(EncodeLossy(iniPath_, TextEncoding::kUtf8), *this),
      windowIcon_(::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MAIN))),
      tray_(shell) {}

CHostDlg::~CHostDlg() = default;

BOOL CHostDlg::OnInitDialog() {
    CModalDialog::OnInitDialog();
    ::SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(windowIcon_));
    ::SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(windowIcon_));
    ::SetWindowPos(hwnd(), HWND_TOP, kParkedX, kParkedY, 0, 0, SWP_NOSIZE);
    // The dialog loop would show the parked window only once its queue first runs dry, that is
    // after the window traffic of every card; shown now, the program is up as its last card is.
    ::ShowWindow(hwnd(), SW_SHOWNORMAL);

    const std::wstring iconPath = programDirectory_ + L"\\" + kTrayIconFile;
    // A path that does not fit names no file: the icon is then added without an image.
    Icon image;
    if (iconPath.size() < MAX_PATH) {
        image.reset(static_cast<HICON>(
            ::LoadImageW(nullptr, iconPath.c_str(), IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                         ::GetSystemMetrics(SM_CYSMICON), LR_LOADFROMFILE)));
    }
    tray_.describe(hwnd(), kTrayIconId, kTrayNotifyMessage, std::move(image), kTrayTip);
    taskbarCreatedMessage_ = ::RegisterWindowMessageW(L"TaskbarCreated");
    // The shell takes its time; the notes are drawn meanwhile. The icon lands before they show:
    // where the system shows it as a window of its own, that window must not cover a note.
    tray_.beginAdd();

    host_.setDesktopExtent(readDesktopExtent());
    host_.loadSettings();
    host_.openMoteLibrary(std::make_unique<CMoteLibrary>(programDirectory_, kMoteFileName),
                          reinterpret_cast<LibraryHandle>(hwnd()),
                          [this] { onTrayAnswer(tray_.finishAdd()); });
    timerId_ = ::SetTimer(hwnd(), kTrayIconId, kTimerPeriodMs, nullptr);
    watch_.start(programDirectory_, hwnd(), kFolderChangeMessage);
    polled_ = fileStamp(iniPath_);
    return TRUE;
}

void CHostDlg::addTrayIcon() {
    onTrayAnswer(tray_.add());
}

void CHostDlg::onTrayAnswer(bool added) {
    if (added) {
        if (trayRetryTimerId_ != 0) ::KillTimer(hwnd(), trayRetryTimerId_);
        trayRetryTimerId_ = 0;
    } else if (trayRetryTimerId_ == 0) {
        // The shell may not be ready yet (a start at log-on): without the icon there is no way in.
        trayRetryTimerId_ = ::SetTimer(hwnd(), kTrayRetryTimerId, kTrayRetryPeriodMs, nullptr);
    }
}

INT_PTR CHostDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COPYDATA: {
            const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
            if (data != nullptr && data->lpData != nullptr) {
                host_.onEventMessage(
                    std::string_view(static_cast<const char*>(data->lpData), data->cbData));
            }
            return Answer(1);
        }
        case WM_HOTKEY:
            if (wParam == kNoteHotKeyId) host_.onHotKey();
            return TRUE;
        case kTrayNotifyMessage:
            host_.onTrayNotify(static_cast<std::int32_t>(wParam),
                               static_cast<std::int32_t>(lParam));
            return Answer(0);
        case WM_TIMER:
            if (wParam == kTrayRetryTimerId) {
                if (tray_.wanted()) addTrayIcon();
            } else if (wParam == kSettleTimerId) {
                onSettleTimer();
            } else {
                host_.onTimer(readDesktopExtent);
                if (!watch_.active() && ++pollTicks_ % kTicksPerPoll == 0) {
                    const FileStamp now = fileStamp(iniPath_);
                    if (now != polled_) onFolderChange();
                    polled_ = now;
                }
            }
            return TRUE;
        case kFolderChangeMessage:
            watch_.handled();
            onFolderChange();
            return TRUE;
        case WM_DISPLAYCHANGE:
            host_.onDisplayChange(readDesktopExtent());
            break;
        case WM_SETTINGCHANGE:
            if (wParam == SPI_SETWORKAREA) host_.onDisplayChange(readDesktopExtent());
            break;
        case WM_PAINT:
            if (!::IsIconic(hwnd())) break;
            paintMinimised();
            return TRUE;
        case WM_QUERYDRAGICON:
            return reinterpret_cast<INT_PTR>(windowIcon_);
        case WM_DESTROY:
            releaseRunningState();
            break;
        case WM_QUERYENDSESSION:
            // Never objects; what it holds is released only once the session really ends, so
            // a cancelled log-off leaves a working program.
            return Answer(TRUE);
        case WM_ENDSESSION:
            if (wParam) endSession();
            return Answer(0);
        default:
            if (message == taskbarCreatedMessage_ && message != 0 &&
                (tray_.added() || tray_.wanted())) {
                tray_.forget();  // the notification area restarted and lost our icon
                addTrayIcon();
                return TRUE;
            }
            break;
    }
    return CModalDialog::OnMessage(message, wParam, lParam);
}

void CHostDlg::onFolderChange() {
    settling_ = fileStamp(iniPath_);
    // Restarted by every change, so the read waits for the last piece.
    settleTimerId_ = ::SetTimer(hwnd(), kSettleTimerId, kSettlePeriodMs, nullptr);
}

void CHostDlg::onSettleTimer() {
    const FileStamp now = fileStamp(iniPath_);
    if (now != settling_) {
        settling_ = now;
        return;
    }
    ::KillTimer(hwnd(), settleTimerId_);
    settleTimerId_ = 0;
    host_.onFolderChange();
}

void CHostDlg::paintMinimised() {
    PAINTSTRUCT paint{};
    HDC dc = ::BeginPaint(hwnd(), &paint);
    ::SendMessageW(hwnd(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    const int iconWidth = ::GetSystemMetrics(SM_CXICON);
    const int iconHeight = ::GetSystemMetrics(SM_CYICON);
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    const int x = (client.right - client.left - iconWidth + 1) / 2;
    const int y = (client.bottom - client.top - iconHeight + 1) / 2;
    ::DrawIcon(dc, x, y, windowIcon_);
    ::EndPaint(hwnd(), &paint);
}

void CHostDlg::stopTimers() {
    watch_.stop();
    for (UINT_PTR* timer : {&timerId_, &trayRetryTimerId_, &settleTimerId_}) {
        if (*timer != 0) ::KillTimer(hwnd(), *timer);
        *timer = 0;
    }
}

void CHostDlg::releaseRunningState() {
    stopTimers();
    if (host_.hotKeyHeld()) ::UnregisterHotKey(hwnd(), kNoteHotKeyId);
    host_.closeMoteLibrary();
    tray_.remove();
}

void CHostDlg::endSession() {
    stopTimers();
    host_.onEndSession();
    tray_.remove();
    // Ends every menu and dialog loop on the way out; the library goes once none is left.
    ::PostQuitMessage(0);
}

namespace {

void fillMenu(CPopupMenu& menu, const std::vector<MenuItem>& items) {
    for (const MenuItem& item : items) {
        if (item.isSeparator()) {
            menu.AppendSeparator();
        } else if (item.command == kNoteList) {
            CPopupMenu submenu;
            fillMenu(submenu, item.submenu);
            menu.AppendSubmenu(submenu, item.text(), !item.greyed);
        } else {
            menu.AppendString(static_cast<UINT>(item.command), item.text());
            if (item.checked) menu.CheckItem(static_cast<UINT>(item.command), true);
            if (item.greyed) menu.EnableItem(static_cast<UINT>(item.command), false);
        }
    }
}

}  // namespace

std::unique_ptr<OpenMenu> CHostDlg::createMenu(const MenuModel& model) {
    auto menu = std::make_unique<CPopupMenu>();
    if (!*menu) return nullptr;
    fillMenu(*menu, model.items);
    return std::make_unique<TrackedMenu>(std::move(menu), hwnd());
}

bool CHostDlg::runEditDialog(int slot) {
    CEditNoteDlg dialog(host_.table(), slot, nullptr);
    return dialog.DoModal() == IDOK;
}

bool CHostDlg::runEraseDialog(int slot) {
    CEraseNoteDlg dialog(host_.table(), slot, nullptr);
    return dialog.DoModal() == IDOK;
}

bool CHostDlg::confirmQuitUnsaved() {
    // No owner: the host window is parked off-screen and a box is centred on its owner.
    return ::MessageBoxW(
               nullptr, quitUnsavedQuestion(), kTrayTip,
               MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2 | MB_SETFOREGROUND | MB_TOPMOST) == IDYES;
}

void CHostDlg::showNotice(Notice notice, const NoticeDetail& detail) {
    const NoticeText text =
        noticeText(notice, iniPath_, detail.count, DecodeCodePage(detail.path, CP_UTF8));
    tray_.showBalloon(text.title, text.body, text.warning);
}

std::vector<WorkArea> CHostDlg::workAreas() {
    std::vector<WorkArea> areas;
    ::EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR monitor, HDC, LPRECT, LPARAM param) -> BOOL {
            MONITORINFO info{};
            info.cbSize = sizeof info;
            if (::GetMonitorInfoW(monitor, &info)) {
                const RECT& work = info.rcWork;
                // Out of memory the list stays short; nothing may leave this callback.
                try {
                    reinterpret_cast<std::vector<WorkArea>*>(param)->push_back(
                        {{work.left, work.top, work.right, work.bottom}, monitorDpi(monitor)});
                } catch (...) {
                    return FALSE;
                }
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&areas));
    return areas;
}

std::int32_t CHostDlg::systemDpi() {
    return yorimemo::systemDpi();
}

std::string CHostDlg::recodeText(std::string_view bytes, TextEncoding from, TextEncoding to) {
    return EncodeLossy(DecodeText(bytes, from), to);
}

LocalTime CHostDlg::localTime() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return {now.wYear,   now.wMonth,  now.wDay,         now.wHour,
            now.wMinute, now.wSecond, now.wMilliseconds};
}

std::string CHostDlg::computerName() {
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD length = MAX_COMPUTERNAME_LENGTH + 1;
    if (!::GetComputerNameW(name, &length)) return {};
    return EncodeCodePage(std::wstring_view(name, length), CP_UTF8);
}

bool CHostDlg::autostartEnabled() {
    return autostart::enabled();
}

void CHostDlg::setAutostart(bool enabled) {
    // A refusal leaves the value as it was, which the next menu's mark shows.
    autostart::set(enabled);
}

bool CHostDlg::holdHotKey(bool hold) {
    if (!hold) return ::UnregisterHotKey(hwnd(), kNoteHotKeyId) != FALSE;
    return ::RegisterHotKey(hwnd(), kNoteHotKeyId, MOD_CONTROL | MOD_ALT | MOD_NOREPEAT, 'Y') !=
           FALSE;
}

WorkArea CHostDlg::workAreaAtPointer() {
    POINT pointer{};
    ::GetCursorPos(&pointer);
    HMONITOR monitor = ::MonitorFromPoint(pointer, MONITOR_DEFAULTTONEAREST);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!::GetMonitorInfoW(monitor, &info))
        return {{0, 0, readDesktopExtent().right, readDesktopExtent().bottom}, 0};
    const RECT& work = info.rcWork;
    return {{work.left, work.top, work.right, work.bottom}, monitorDpi(monitor)};
}

void CHostDlg::postTrayNotify(std::int32_t id, std::int32_t mouseMessage) {
    ::PostMessageW(hwnd(), kTrayNotifyMessage, static_cast<WPARAM>(static_cast<INT_PTR>(id)),
                   mouseMessage);
}

void CHostDlg::postNull() {
    ::PostMessageW(hwnd(), WM_NULL, 0, 0);
}

void CHostDlg::postQuit() {
    ::PostQuitMessage(0);
}

}  // namespace yorimemo
