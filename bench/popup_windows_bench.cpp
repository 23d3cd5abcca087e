// What the window system alone costs: a bare program that shows one main window and N painted
// borderless popups, timed from CreateProcess until all are visible and the main window answers,
// exactly as the program's start-up is timed. Prints the medians for 0 and 100 popups and their
// ratio for each way of showing the popups, and the in-process time of the 100 windows.
// Usage: popup_windows_bench [runs, default 7]; "child N way once" shows N popups the given way
// (0 one by one, 1 created visible, 2 deferred), prints its own milliseconds and ends.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kPopups = 100;
constexpr char kClass[] = "PopupBenchWindow";

enum class Way { OneByOne, CreateVisible, Deferred };
constexpr const char* kWayNames[] = {"one-by-one", "create-visible", "deferred"};

HDC g_image = nullptr;

LRESULT CALLBACK popupProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        BitBlt(dc, 0, 0, 120, 40, g_image, 0, 0, SRCCOPY);
        EndPaint(window, &paint);
        return 0;
    }
    if (message == WM_ERASEBKGND) return 1;
    return DefWindowProcA(window, message, wParam, lParam);
}

// The child: a main window, then the popups in the chosen way; reports its own time on stdout.
int child(int popups, Way way, bool stay) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = popupProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kClass;
    RegisterClassA(&windowClass);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(info.bmiHeader), 120, -40, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    g_image = CreateCompatibleDC(nullptr);
    SelectObject(g_image, CreateDIBSection(g_image, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    std::memset(bits, 0x7F, 120 * 40 * 4);

    CreateWindowExA(0, "STATIC", "main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                    nullptr, instance, nullptr);
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    const DWORD exStyle = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    std::vector<HWND> windows;
    for (int i = 0; i < popups; ++i) {
        const int x = 10 + i % 10 * 125;
        const int y = 10 + i / 10 * 95;
        if (way == Way::OneByOne) {
            HWND w = CreateWindowExA(exStyle, kClass, "", WS_POPUP, x, y, 0, 0, nullptr, nullptr,
                                     instance, nullptr);
            SetWindowPos(w, nullptr, x, y, 120, 40, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
            RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        } else if (way == Way::CreateVisible) {
            HWND w = CreateWindowExA(exStyle, kClass, "", WS_POPUP | WS_VISIBLE, x, y, 120, 40,
                                     nullptr, nullptr, instance, nullptr);
            UpdateWindow(w);
        } else {
            windows.push_back(CreateWindowExA(exStyle, kClass, "", WS_POPUP, x, y, 120, 40, nullptr,
                                              nullptr, instance, nullptr));
        }
    }
    if (way == Way::Deferred && !windows.empty()) {
        HDWP batch = BeginDeferWindowPos(static_cast<int>(windows.size()));
        for (HWND w : windows) {
            batch = DeferWindowPos(
                batch, w, nullptr, 0, 0, 0, 0,
                SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        }
        EndDeferWindowPos(batch);
        for (HWND w : windows) UpdateWindow(w);
    }
    QueryPerformanceCounter(&end);
    std::printf("%.1f\n", double(end.QuadPart - start.QuadPart) * 1000 / frequency.QuadPart);
    std::fflush(stdout);
    if (!stay) return 0;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    return 0;
}

struct Child {
    PROCESS_INFORMATION process{};
    ~Child() {
        TerminateProcess(process.hProcess, 0);
        WaitForSingleObject(process.hProcess, 10000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
};

// Counted as the start-up test counts: every top-level window of the process that is visible.
int visibleWindows(DWORD processId, HWND* main) {
    struct Search {
        DWORD processId;
        int visible;
        HWND main;
    } search{processId, 0, nullptr};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s.processId && IsWindowVisible(window)) {
                ++s.visible;
                char name[32] = {};
                GetClassNameA(window, name, sizeof name);
                if (std::strcmp(name, kClass) != 0) s.main = window;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    *main = search.main;
    return search.visible;
}

double timeStart(int popups, Way way) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string command = std::string("\"") + self + "\" child " + std::to_string(popups) + " " +
                          std::to_string(static_cast<int>(way));
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    Child running;
    const auto started = std::chrono::steady_clock::now();
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &running.process)) {
        return -1;
    }
    const auto deadline = started + std::chrono::seconds(30);
    HWND main = nullptr;
    while (visibleWindows(running.process.dwProcessId, &main) < popups + 1 || main == nullptr) {
        if (std::chrono::steady_clock::now() > deadline) return -1;
        Sleep(1);
    }
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &answer);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 4 && std::strcmp(argv[1], "child") == 0) {
        return child(std::atoi(argv[2]), static_cast<Way>(std::atoi(argv[3])), argc == 4);
    }
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    timeStart(0, Way::OneByOne);
    timeStart(kPopups, Way::OneByOne);
    for (const Way way : {Way::OneByOne, Way::CreateVisible, Way::Deferred}) {
        std::vector<double> empty;
        std::vector<double> full;
        for (int i = 0; i < runs; ++i) {
            empty.push_back(timeStart(0, way));
            full.push_back(timeStart(kPopups, way));
        }
        const double emptyMedian = median(empty);
        const double fullMedian = median(full);
        std::printf("%s: no popups %.3f s, %d popups %.3f s, ratio: %.2fx\n",
                    kWayNames[static_cast<int>(way)], emptyMedian, kPopups, fullMedian,
                    fullMedian / emptyMedian);
        std::fflush(stdout);
    }
    return 0;
}
