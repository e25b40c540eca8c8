// Finding the top-level windows of a process, or of every process: dialogs, message boxes, and waiting for them.
#include "WindowSearch.h"

#include "DriverError.h"
#include "TextEncoding.h"
#include "WindowFacts.h"

namespace
{
constexpr int kWineMessageBoxIconId = 0x440;
constexpr int kWindowsMessageBoxIconId = 0x14;
constexpr int kMessageBoxTextId = 0xFFFF;

struct WindowListing
{
    DWORD nProcessId;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectTopLevelWindow(HWND hWnd, LPARAM lParam)
{
    auto* pListing = reinterpret_cast<WindowListing*>(lParam);
    if (IsWindowVisible(hWnd) && (pListing->nProcessId == kAnyProcess || GetWindowProcess(hWnd) == pListing->nProcessId))
        pListing->windows.push_back(hWnd);
    return TRUE;
}

bool IsDialogWindow(HWND hWnd)
{
    return GetWindowClass(hWnd) == "#32770";
}

HWND FindDialog(DWORD nProcessId, const std::string& caption)
{
    for (HWND hWnd : ListDialogs(nProcessId))
    {
        if (IsMessageBox(hWnd))
            continue;
        if (caption.empty() || PeekWindowText(hWnd) == caption)
            return hWnd;
    }
    return nullptr;
}
}

std::vector<HWND> ListTopLevelWindows(DWORD nProcessId)
{
    WindowListing listing = {nProcessId, {}};
    EnumWindows(CollectTopLevelWindow, reinterpret_cast<LPARAM>(&listing));
    return listing.windows;
}

std::vector<HWND> ListDialogs(DWORD nProcessId)
{
    std::vector<HWND> dialogs;
    for (HWND hWnd : ListTopLevelWindows(nProcessId))
    {
        if (IsDialogWindow(hWnd))
            dialogs.push_back(hWnd);
    }
    return dialogs;
}

bool IsMessageBox(HWND hWnd)
{
    if (!IsDialogWindow(hWnd))
        return false;
    int nTextStatics = 0;
    int nButtons = 0;
    for (HWND hChild = GetWindow(hWnd, GW_CHILD); hChild; hChild = GetWindow(hChild, GW_HWNDNEXT))
    {
        int nId = GetDlgCtrlID(hChild) & 0xFFFF;
        std::string windowClass = GetWindowClass(hChild);
        if (lstrcmpiA(windowClass.c_str(), "Static") == 0 && nId == kMessageBoxTextId)
            ++nTextStatics;
        else if (lstrcmpiA(windowClass.c_str(), "Static") == 0 &&
                 (nId == kWineMessageBoxIconId || nId == kWindowsMessageBoxIconId))
            continue;
        else if (lstrcmpiA(windowClass.c_str(), "Button") == 0 && nId >= IDOK && nId <= IDCONTINUE)
            ++nButtons;
        else
            return false;
    }
    return nTextStatics == 1 && nButtons > 0;
}

HWND WaitForDialog(DWORD nProcessId, const std::string& caption, DWORD nTimeoutMs)
{
    HWND hFound = nullptr;
    if (WaitUntil([&] { return (hFound = FindDialog(nProcessId, caption)) != nullptr; }, nTimeoutMs))
        return hFound;
    std::string message = "no dialog";
    if (!caption.empty())
        message += " captioned \"" + ConvertAcpToUtf8(caption) + "\"";
    message += nProcessId == kAnyProcess ? " of any process" : " of process " + std::to_string(nProcessId);
    ThrowWithScreen(message + " within " + std::to_string(nTimeoutMs) + " ms");
}

std::vector<HWND> FindDialogsByCaption(const std::string& caption)
{
    std::vector<HWND> found;
    for (HWND hWnd : ListDialogs(kAnyProcess))
    {
        if (!IsMessageBox(hWnd) && PeekWindowText(hWnd) == caption)
            found.push_back(hWnd);
    }
    return found;
}

void WaitForWindowToClose(HWND hWnd, DWORD nTimeoutMs)
{
    if (WaitUntil([&] { return !IsWindow(hWnd) || !IsWindowVisible(hWnd); }, nTimeoutMs))
        return;
    ThrowWithScreen("window \"" + ConvertAcpToUtf8(PeekWindowText(hWnd)) + "\" still open after " +
                    std::to_string(nTimeoutMs) + " ms");
}
