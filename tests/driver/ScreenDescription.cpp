// Says what is on the screen, for failure messages: every visible window, its controls, and a screenshot.
#include "ScreenDescription.h"

#include <cstdio>

#include "PngWriter.h"
#include "ScreenCapture.h"
#include "TestPaths.h"
#include "TextEncoding.h"
#include "WindowFacts.h"
#include "WindowSearch.h"

namespace
{
std::string DescribeControl(HWND hControl)
{
    char szLine[160];
    LONG nStyle = GetWindowLongA(hControl, GWL_STYLE);
    std::string windowClass = GetWindowClass(hControl);
    std::snprintf(szLine, sizeof szLine, "    id %d %s", GetDlgCtrlID(hControl), windowClass.c_str());
    std::string line = szLine;
    std::string text = PeekWindowText(hControl);
    if (!text.empty())
        line += " \"" + ConvertAcpToUtf8(text) + "\"";
    if (!(nStyle & WS_VISIBLE))
        line += " hidden";
    if (nStyle & WS_DISABLED)
        line += " disabled";
    if (lstrcmpiA(windowClass.c_str(), "Button") == 0)
    {
        DWORD_PTR nCheck = 0;
        if (SendMessageWithin(hControl, BM_GETCHECK, 0, 0, 200, nCheck) && nCheck == BST_CHECKED)
            line += " checked";
    }
    return line + "\n";
}

// The part of the screen the visible windows cover: all a failure needs, at a fraction of the whole screen.
bool GetWindowsArea(RECT& area)
{
    SetRectEmpty(&area);
    for (HWND hWnd : ListTopLevelWindows())
    {
        RECT rect = {};
        GetWindowRect(hWnd, &rect);
        UnionRect(&area, &area, &rect);
    }
    RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return IntersectRect(&area, &area, &screen) != FALSE;
}

std::string SaveFailureScreenshot()
{
    RECT area = {};
    if (!GetWindowsArea(area))
        return "none, no window is shown";
    static int s_nShot = 0;
    std::string folder = JoinPath(GetScratchRoot(), "failures");
    CreateDirectoryA(folder.c_str(), nullptr);
    char szName[64];
    std::snprintf(szName, sizeof szName, "screen-%lu-%d.png", GetCurrentProcessId(), ++s_nShot);
    std::string path = JoinPath(folder, szName);
    try
    {
        SavePng(CaptureScreenArea(area), path);
    }
    catch (const std::exception& error)
    {
        return error.what();
    }
    return path;
}
}

std::string DescribeWindow(HWND hWnd)
{
    RECT rect = {};
    GetWindowRect(hWnd, &rect);
    char szLine[160];
    std::string windowClass = GetWindowClass(hWnd);
    std::snprintf(szLine, sizeof szLine, "  process %lu %s%s at (%ld,%ld) %ldx%ld", GetWindowProcess(hWnd),
                  windowClass.c_str(), IsMessageBox(hWnd) ? " (message box)" : "", rect.left, rect.top,
                  rect.right - rect.left, rect.bottom - rect.top);
    std::string text = szLine;
    text += " \"" + ConvertAcpToUtf8(PeekWindowText(hWnd)) + "\"";
    if (!IsWindowEnabled(hWnd))
        text += " disabled";
    text += "\n";
    if (windowClass == "#32770")
    {
        for (HWND hChild = GetWindow(hWnd, GW_CHILD); hChild; hChild = GetWindow(hChild, GW_HWNDNEXT))
            text += DescribeControl(hChild);
    }
    return text;
}

std::string DescribeScreen()
{
    std::string text = "On the screen, topmost first:\n";
    for (HWND hWnd : ListTopLevelWindows())
        text += DescribeWindow(hWnd);
    return text + "Screenshot: " + ConvertAcpToUtf8(SaveFailureScreenshot()) + "\n";
}
