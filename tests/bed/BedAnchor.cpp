// bed_anchor.exe: holds a hidden window while the bed is up, so Wine's desktop process never ends and restarts under a test.
#include <windows.h>

// Wine ends the desktop process (explorer.exe) a little after the last window closes, and the next program to
// open a window starts it again with that program's output: CTest then waits for the test until the desktop
// ends. A window that lives as long as the wineserver keeps the first desktop process, started by the bed.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR pszReadyFile, int)
{
    HWND hAnchor = CreateWindowA("STATIC", "winebed anchor", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    if (!hAnchor)
        return 1;
    // The bed waits for this file: once it exists, the desktop is up and held.
    HANDLE hReady = CreateFileA(pszReadyFile, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hReady != INVALID_HANDLE_VALUE)
        CloseHandle(hReady);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    return 0;
}
