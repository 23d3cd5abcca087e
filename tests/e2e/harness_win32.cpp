#include "tests/e2e/harness_win32.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>

#include "host/host_dialog_win32.h"
#include "notes/profile_file.h"
#include "tests/mote/recording/call_log.h"
#include "tests/notes/profile_strings.h"
#include "text/code_page_win32.h"
#include "text/shift_jis.h"

namespace yorimemo::e2e {

namespace {

// Before any window or screen is asked for: unaware of the scale, the test would be shown the
// program's windows, the pointer and the screen shrunk to 96 pixels per inch.
const bool kAwareOfTheScale = [] {
    using SetContextFn = BOOL(WINAPI*)(HANDLE);
    const auto setContext = reinterpret_cast<SetContextFn>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleA("user32.dll"), "SetProcessDpiAwarenessContext")));
    const HANDLE perMonitorV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));
    return (setContext != nullptr && setContext(perMonitorV2)) || ::SetProcessDPIAware();
}();

// Build paths arrive with forward slashes; the Windows functions take either, tests compare
// paths with backslashes.
std::string windowsForm(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

int scaledBy(int value, int numerator, int denominator) {
    return ::MulDiv(value, numerator, denominator);
}

std::string className(HWND window) {
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

// The tests write the program's texts as code page 932 bytes, whatever the system's code page.
std::string shiftJis(std::wstring_view text) {
    return EncodeCodePage(text, kShiftJisCodePage);
}

std::string captionOf(HWND window) {
    wchar_t caption[256] = {};
    ::GetWindowTextW(window, caption, 256);
    return shiftJis(caption);
}

// This process's environment with `folder` first on PATH, as a block for CreateProcessA.
std::string environmentWithFirstOnPath(const std::string& folder) {
    struct FreeStrings {
        void operator()(char* strings) const { ::FreeEnvironmentStringsA(strings); }
    };
    const std::unique_ptr<char, FreeStrings> strings(::GetEnvironmentStringsA());
    std::string block;
    bool found = false;
    for (const char* entry = strings.get(); entry != nullptr && *entry != '\0';
         entry += std::strlen(entry) + 1) {
        std::string line = entry;
        if (::_strnicmp(entry, "PATH=", 5) == 0) {
            line = "PATH=" + folder + ";" + line.substr(5);
            found = true;
        }
        block += line + '\0';
    }
    if (!found) block += "PATH=" + folder + '\0';
    return block + '\0';
}

}  // namespace

int screenDpi() {
    static const int dpi = [] {
        HDC screen = ::GetDC(nullptr);
        const int found = screen != nullptr ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
        if (screen != nullptr) ::ReleaseDC(nullptr, screen);
        return kAwareOfTheScale && found > 0 ? found : 96;
    }();
    return dpi;
}

int scaled(int value) {
    return scaledBy(value, screenDpi(), 96);
}

int unscaled(int value) {
    return scaledBy(value, 96, screenDpi());
}

std::string programPath() {
    return windowsForm(YORIMEMO_E2E_PROGRAM);
}

std::string libraryPath(Library library) {
    switch (library) {
        case Library::Real:
            return windowsForm(YORIMEMO_E2E_MOTE_DLL);
        case Library::Recording:
            return windowsForm(YORIMEMO_E2E_RECORDING_DLL);
        case Library::RecordingNoCreate:
            return windowsForm(YORIMEMO_E2E_RECORDING_NOCREATE_DLL);
        case Library::RecordingNarrow:
            return windowsForm(YORIMEMO_E2E_RECORDING_NARROW_DLL);
        case Library::None:
            break;
    }
    return {};
}

std::string iconPath() {
    return windowsForm(YORIMEMO_E2E_ICON);
}

std::string artifactFolder() {
    const std::string folder = windowsForm(YORIMEMO_E2E_ARTIFACTS);
    ::CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

std::string unixPath(const std::string& windowsPath) {
    using ToUnix = char*(CDECL*)(const WCHAR*);
    const auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void (*)()>(
        ::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (toUnix == nullptr) return {};
    std::wstring wide(windowsPath.size() + 1, L'\0');
    const int length = ::MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide.data(),
                                             static_cast<int>(wide.size()));
    if (length <= 0) return {};
    char* path = toUnix(wide.c_str());
    if (path == nullptr) return {};
    std::string result(path);
    ::HeapFree(::GetProcessHeap(), 0, path);
    return result;
}

std::vector<HWND> windowStack() {
    std::vector<HWND> stack;
    ::EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&stack));
    return stack;
}

std::vector<HWND> windowsOfProcess(DWORD processId) {
    std::vector<HWND> found;
    for (const HWND window : windowStack()) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        if (owner == processId) found.push_back(window);
    }
    return found;
}

std::size_t visibleWindowCount(DWORD processId) {
    const std::vector<HWND> windows = windowsOfProcess(processId);
    return static_cast<std::size_t>(
        std::count_if(windows.begin(), windows.end(), ::IsWindowVisible));
}

bool inFront(HWND front, HWND back) {
    const std::vector<HWND> stack = windowStack();
    const auto frontAt = std::find(stack.begin(), stack.end(), front);
    return front != back && frontAt != stack.end() &&
           std::find(frontAt, stack.end(), back) != stack.end();
}

std::string iniValue(const std::string& iniPath, const std::string& section, const std::string& key,
                     const std::string& fallback) {
    return readProfileString(iniPath, section, key, fallback);
}

std::string platformIniValue(const std::string& iniPath, const std::string& section,
                             const std::string& key, const std::string& fallback) {
    char value[4096] = {};
    ::GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), value, sizeof value,
                               iniPath.c_str());
    return value;
}

ProgramFolder::ProgramFolder(Library library) {
    // Should a copy fail, the folder member removes what was copied.
    auto copy = [this](const std::string& from, const std::string& name) {
        if (!::CopyFileA(from.c_str(), file(name).c_str(), FALSE)) {
            throw std::runtime_error("cannot copy " + from);
        }
    };
    copy(programPath(), "yorimemo.exe");
    copy(iconPath(), "yorimemo.ico");
    useLibrary(library);
}

void ProgramFolder::useLibrary(Library library) const {
    ::DeleteFileA(file("mote.dll").c_str());
    if (library != Library::None &&
        !::CopyFileA(libraryPath(library).c_str(), file("mote.dll").c_str(), FALSE)) {
        throw std::runtime_error("cannot copy " + libraryPath(library));
    }
}

void ProgramFolder::writeIni(const std::string& bytes) const {
    if (!writeFileBytes(ini(), bytes)) throw std::runtime_error("cannot write " + ini());
}

std::string ProgramFolder::readIni() const {
    return readFileBytes(ini());
}

std::vector<std::string> ProgramFolder::callLog() const {
    return recording::readCallLog(path());
}

RunningProgram::RunningProgram(const ProgramFolder& folder, const std::string& firstOnPath) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    const std::string exe = folder.exe();
    std::string commandLine = "\"" + exe + "\"";
    std::string environment;
    if (!firstOnPath.empty()) environment = environmentWithFirstOnPath(firstOnPath);
    if (!::CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                          environment.empty() ? nullptr : environment.data(), folder.path().c_str(),
                          &startup, &info)) {
        throw std::runtime_error("cannot start " + exe);
    }
    ::CloseHandle(info.hThread);
    process_ = info.hProcess;
    processId_ = info.dwProcessId;
}

RunningProgram::~RunningProgram() {
    if (running()) ::TerminateProcess(process_, 1);
    ::WaitForSingleObject(process_, kDeadlineMs);
    // A sender blocked in SendMessage returns once the receiver is gone.
    for (std::thread& sender : senders_) sender.join();
    ::CloseHandle(process_);
}

bool RunningProgram::running() const {
    return ::WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool RunningProgram::waitForExit(DWORD deadlineMs) const {
    return waitFor([this] { return !running(); }, deadlineMs);
}

DWORD RunningProgram::exitCode() const {
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(process_, &code);
    return code;
}

HWND RunningProgram::host() {
    if (host_ != nullptr) return host_;
    // The host is the program's first dialog window; nothing else opens before it is shown.
    waitFor([this] {
        for (const HWND window : topLevelWindows()) {
            if (className(window) == "#32770" && ::IsWindowVisible(window)) host_ = window;
        }
        return host_ != nullptr || !running();
    });
    return host_;
}

bool RunningProgram::settle() {
    DWORD_PTR answer = 0;
    return host() != nullptr &&
           ::SendMessageTimeoutA(host_, WM_NULL, 0, 0, SMTO_NORMAL, kDeadlineMs, &answer) != 0;
}

std::vector<HWND> RunningProgram::topLevelWindows() const {
    return windowsOfProcess(processId_);
}

std::vector<MoteWindow> RunningProgram::motes() {
    const HWND hostWindow = host();
    std::vector<MoteWindow> found;
    for (const HWND window : topLevelWindows()) {
        if (window == hostWindow || !::IsWindowVisible(window)) continue;
        const std::string kind = className(window);
        if (kind == "#32768" || kind == "#32770") continue;
        MoteWindow mote{window, {}};
        ::GetWindowRect(window, &mote.rect);
        found.push_back(mote);
    }
    return found;
}

void RunningProgram::openTrayMenu() {
    postTrayNotify(kTrayIconId, WM_RBUTTONUP);
}

void RunningProgram::postTrayNotify(WPARAM id, LPARAM mouseMessage) {
    ::PostMessageA(host(), kTrayNotifyMessage, id, mouseMessage);
}

HWND RunningProgram::popupMenu() const {
    for (const HWND window : topLevelWindows()) {
        if (className(window) == "#32768" && ::IsWindowVisible(window)) return window;
    }
    return nullptr;
}

bool RunningProgram::chooseMenuKey(char key) {
    HWND menu = nullptr;
    if (!waitFor([&] { return (menu = popupMenu()) != nullptr; })) return false;
    ::PostMessageA(menu, WM_CHAR, static_cast<unsigned char>(key), 0);
    return waitFor([this] { return popupMenu() == nullptr; });
}

bool RunningProgram::dismissMenu() {
    HWND menu = nullptr;
    if (!waitFor([&] { return (menu = popupMenu()) != nullptr; })) return false;
    ::PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    return waitFor([this] { return popupMenu() == nullptr; });
}

bool RunningProgram::quit() {
    openTrayMenu();
    return chooseMenuKey('q') && waitForExit();
}

HWND RunningProgram::dialog(const std::string& caption) {
    const HWND hostWindow = host();
    for (const HWND window : topLevelWindows()) {
        if (window != hostWindow && className(window) == "#32770" && ::IsWindowVisible(window) &&
            captionOf(window) == caption) {
            return window;
        }
    }
    return nullptr;
}

HWND RunningProgram::waitForDialog(const std::string& caption, DWORD deadlineMs) {
    HWND found = nullptr;
    waitFor([&] { return (found = dialog(caption)) != nullptr; }, deadlineMs);
    return found;
}

bool RunningProgram::sendEvent(const std::string& payload) {
    COPYDATASTRUCT data{};
    data.cbData = static_cast<DWORD>(payload.size());
    data.lpData = const_cast<char*>(payload.data());
    DWORD_PTR answer = 0;
    return ::SendMessageTimeoutA(host(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                                 SMTO_NORMAL, kDeadlineMs, &answer) != 0;
}

void RunningProgram::sendEventNoWait(const std::string& payload) {
    const HWND target = host();
    senders_.emplace_back([target, payload] {
        COPYDATASTRUCT data{};
        data.cbData = static_cast<DWORD>(payload.size());
        data.lpData = const_cast<char*>(payload.data());
        ::SendMessageA(target, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
    });
}

std::string eventPayload(const std::string& name, int id, int x, int y) {
    return name + "\r\n" + std::to_string(id) + "\r\n" + std::to_string(x) + "\r\n" +
           std::to_string(y) + "\r\n";
}

std::string itemText(HWND dialog, int id) {
    return shiftJis(testing::ItemText(dialog, id));
}

std::string windowTitle(HWND window) {
    return captionOf(window);
}

bool setItemText(HWND dialog, int id, const std::string& bytes) {
    return testing::SetItemText(dialog, id, DecodeCodePage(bytes, kShiftJisCodePage));
}

int runLinuxCommand(const std::string& shellCommand, DWORD deadlineMs) {
    if (shellCommand.find('"') != std::string::npos) return -1;
    const testing::TempFolder folder("yorimemo-e2e-status");
    const std::string marker = folder.file("status");
    const std::string markerUnix = unixPath(marker);
    if (markerUnix.empty()) return -1;
    // The Linux process cannot be waited for from here; its exit status arrives in a file that
    // appears complete, by renaming.
    std::string line = "/bin/sh -c \"(" + shellCommand + "); echo $? > '" + markerUnix +
                       ".part' && mv '" + markerUnix + ".part' '" + markerUnix + "'\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &info)) {
        return -1;
    }
    if (info.hThread != nullptr) ::CloseHandle(info.hThread);
    if (info.hProcess != nullptr) ::CloseHandle(info.hProcess);
    if (!waitFor([&] { return fileExists(marker); }, deadlineMs)) return -1;
    const std::string status = readFileBytes(marker);
    return status.empty() ? -1 : std::atoi(status.c_str());
}

int xdotool(const std::string& arguments) {
    return runLinuxCommand("/usr/bin/xdotool " + arguments);
}

std::optional<Screenshot> Screenshot::take(const std::string& name) {
    Screenshot shot;
    shot.pngPath_ = artifactFolder() + "\\" + name + ".png";
    const std::string rgbPath = shot.pngPath_.substr(0, shot.pngPath_.size() - 4) + ".rgb";
    const std::string png = unixPath(shot.pngPath_);
    const std::string rgb = unixPath(rgbPath);
    if (png.empty() || rgb.empty()) return std::nullopt;
    // One capture; the raw pixels are converted from the very image that is kept.
    const int status =
        runLinuxCommand("/usr/bin/import -window root '" + png + "' && /usr/bin/convert '" + png +
                        "' -depth 8 'rgb:" + rgb + "'");
    if (status != 0) return std::nullopt;
    shot.width_ = ::GetSystemMetrics(SM_CXSCREEN);
    shot.height_ = ::GetSystemMetrics(SM_CYSCREEN);
    shot.rgb_ = readFileBytes(rgbPath);
    ::DeleteFileA(rgbPath.c_str());
    if (shot.rgb_.size() != static_cast<std::size_t>(shot.width_) * shot.height_ * 3) {
        return std::nullopt;
    }
    return shot;
}

std::uint32_t Screenshot::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    const std::size_t at = (static_cast<std::size_t>(y) * width_ + x) * 3;
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(rgb_[at + i]); };
    return (std::uint32_t{byte(0)} << 16) | (std::uint32_t{byte(1)} << 8) | byte(2);
}

int Screenshot::count(const RECT& rect, std::uint32_t color) const {
    int matches = 0;
    for (int y = std::max<int>(rect.top, 0); y < std::min<int>(rect.bottom, height_); ++y) {
        for (int x = std::max<int>(rect.left, 0); x < std::min<int>(rect.right, width_); ++x) {
            if (pixel(x, y) == color) ++matches;
        }
    }
    return matches;
}

}  // namespace yorimemo::e2e
