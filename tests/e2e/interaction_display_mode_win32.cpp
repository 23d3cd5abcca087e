// Sets the display mode of the Wine session, from inside a Wine virtual desktop: the only place
// where Wine offers modes other than the X screen's. The new size then holds for every window of
// the session, the desktop window of the default desktop included.
//
//   interaction_display_mode <width> <height>   exit status 0 when the mode was set
//   interaction_display_mode hold <process id>  stays until that process ends; Wine closes a
//                                               virtual desktop soon after its last process
//                                               has gone, and with it the way back to the
//                                               first mode

#include <windows.h>

#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    if (std::strcmp(argv[1], "hold") == 0) {
        const HANDLE owner =
            OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(std::strtoul(argv[2], nullptr, 10)));
        if (owner == nullptr) return 1;
        WaitForSingleObject(owner, INFINITE);
        CloseHandle(owner);
        return 0;
    }
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    mode.dmPelsWidth = static_cast<DWORD>(std::atoi(argv[1]));
    mode.dmPelsHeight = static_cast<DWORD>(std::atoi(argv[2]));
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    return ChangeDisplaySettingsExA(nullptr, &mode, nullptr, 0, nullptr) == DISP_CHANGE_SUCCESSFUL
               ? 0
               : 1;
}
