// Drives one dialog of a program under test by control id, the way a person would: read, type, click, press keys.
#include "DialogDriver.h"

#include <commctrl.h>

#include "DriverError.h"
#include "PngWriter.h"
#include "ScreenCapture.h"
#include "TextEncoding.h"
#include "WindowFacts.h"
#include "WindowSearch.h"

namespace
{
// MapDialogRect rounds to the nearest pixel; with at least one pixel per dialog unit, rounding back to the
// nearest unit recovers the value the resource script gave.
LONG ConvertPixelsToDialogUnits(LONG nPixels, LONG nBaseUnitPixels, LONG nBaseUnitDialogUnits)
{
    return MulDiv(nPixels, nBaseUnitDialogUnits, nBaseUnitPixels);
}

LPARAM MakeKeyData(WORD nVirtualKey, bool bRelease)
{
    LPARAM nData = 1 | (static_cast<LPARAM>(MapVirtualKeyA(nVirtualKey, MAPVK_VK_TO_VSC)) << 16);
    if (bRelease)
        nData |= (1 << 30) | (1u << 31);
    return nData;
}
}

CDialogDriver::CDialogDriver(HWND hDialog) : m_hDialog(hDialog)
{
}

DWORD CDialogDriver::GetProcessId() const
{
    return GetWindowProcess(m_hDialog);
}

std::string CDialogDriver::GetCaption() const
{
    return ReadWindowText(m_hDialog, kDefaultTimeoutMs);
}

HWND CDialogDriver::GetControl(int nId) const
{
    HWND hControl = GetDlgItem(m_hDialog, nId);
    if (!hControl)
        ThrowWithScreen("dialog \"" + ConvertAcpToUtf8(PeekWindowText(m_hDialog)) + "\" has no control " +
                        std::to_string(nId));
    return hControl;
}

std::string CDialogDriver::GetText(int nId, DWORD nTimeoutMs) const
{
    return ReadWindowText(GetControl(nId), nTimeoutMs);
}

bool CDialogDriver::IsEnabled(int nId) const
{
    return IsWindowEnabled(GetControl(nId)) != FALSE;
}

bool CDialogDriver::IsVisible(int nId) const
{
    return IsWindowVisible(GetControl(nId)) != FALSE;
}

UINT CDialogDriver::GetCheck(int nId) const
{
    DWORD_PTR nCheck = 0;
    if (!SendMessageWithin(GetControl(nId), BM_GETCHECK, 0, 0, kDefaultTimeoutMs, nCheck))
        ThrowWithScreen("control " + std::to_string(nId) + " did not answer BM_GETCHECK");
    return static_cast<UINT>(nCheck);
}

int CDialogDriver::GetProgressPosition(int nId) const
{
    DWORD_PTR nPosition = 0;
    if (!SendMessageWithin(GetControl(nId), PBM_GETPOS, 0, 0, kDefaultTimeoutMs, nPosition))
        ThrowWithScreen("control " + std::to_string(nId) + " did not answer PBM_GETPOS");
    return static_cast<int>(nPosition);
}

std::string CDialogDriver::GetClassName(int nId) const
{
    return GetWindowClass(GetControl(nId));
}

DWORD CDialogDriver::GetStyle(int nId) const
{
    return static_cast<DWORD>(GetWindowLongA(GetControl(nId), GWL_STYLE));
}

RECT CDialogDriver::GetRectInDialogUnits(int nId) const
{
    RECT rect = {};
    GetWindowRect(GetControl(nId), &rect);
    MapWindowPoints(nullptr, m_hDialog, reinterpret_cast<POINT*>(&rect), 2);
    if (m_baseUnits.cx == 0)
        m_baseUnits = ReadDialogBaseUnits(m_hDialog);
    const SIZE& baseUnits = m_baseUnits;
    return {ConvertPixelsToDialogUnits(rect.left, baseUnits.cx, 4),
            ConvertPixelsToDialogUnits(rect.top, baseUnits.cy, 8),
            ConvertPixelsToDialogUnits(rect.right, baseUnits.cx, 4),
            ConvertPixelsToDialogUnits(rect.bottom, baseUnits.cy, 8)};
}

std::vector<int> CDialogDriver::GetTabOrder() const
{
    std::vector<int> order;
    for (HWND hChild = GetWindow(m_hDialog, GW_CHILD); hChild; hChild = GetWindow(hChild, GW_HWNDNEXT))
    {
        if (GetWindowLongA(hChild, GWL_STYLE) & WS_TABSTOP)
            order.push_back(GetDlgCtrlID(hChild));
    }
    return order;
}

int CDialogDriver::GetFocusedId() const
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThread(m_hDialog), &info) || !info.hwndFocus)
        return 0;
    return GetParent(info.hwndFocus) == m_hDialog ? GetDlgCtrlID(info.hwndFocus) : 0;
}

void CDialogDriver::SetText(int nId, const std::string& text)
{
    WriteWindowText(GetControl(nId), text, kDefaultTimeoutMs);
}

void CDialogDriver::PressKey(WORD nVirtualKey)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    HWND hTarget = GetGUIThreadInfo(GetWindowThread(m_hDialog), &info) && info.hwndFocus ? info.hwndFocus : m_hDialog;
    PostMessageA(hTarget, WM_KEYDOWN, nVirtualKey, MakeKeyData(nVirtualKey, false));
    PostMessageA(hTarget, WM_KEYUP, nVirtualKey, MakeKeyData(nVirtualKey, true));
}

void CDialogDriver::Click(int nId)
{
    HWND hControl = GetControl(nId);
    if (!IsWindowVisible(hControl) || !IsWindowEnabled(hControl))
        ThrowWithScreen("control " + std::to_string(nId) + " cannot be clicked: it is " +
                        (IsWindowVisible(hControl) ? "disabled" : "hidden"));
    PostMessageA(hControl, BM_CLICK, 0, 0);
}

void CDialogDriver::SetCheck(int nId, bool bChecked)
{
    const UINT nWanted = bChecked ? BST_CHECKED : BST_UNCHECKED;
    // A three-state box may need two clicks; a box that never gets there is an error, not a loop.
    for (int nClick = 0; nClick < 3 && GetCheck(nId) != nWanted; ++nClick)
    {
        UINT nBefore = GetCheck(nId);
        Click(nId);
        WaitUntil([&] { return GetCheck(nId) != nBefore; });
    }
    if (GetCheck(nId) != nWanted)
        ThrowWithScreen("check box " + std::to_string(nId) + " does not take state " + std::to_string(nWanted));
}

void CDialogDriver::PostSysCommand(WPARAM nCommand)
{
    PostMessageA(m_hDialog, WM_SYSCOMMAND, nCommand, 0);
}

std::vector<MenuItemFacts> CDialogDriver::GetSystemMenuItems() const
{
    return ReadSystemMenu(m_hDialog);
}

void CDialogDriver::WaitForText(int nId, const std::string& text, DWORD nTimeoutMs) const
{
    HWND hControl = GetControl(nId);
    std::string last;
    if (WaitUntil([&] { return (last = PeekWindowText(hControl)) == text; }, nTimeoutMs))
        return;
    ThrowWithScreen("control " + std::to_string(nId) + " shows \"" + ConvertAcpToUtf8(last) + "\", not \"" +
                    ConvertAcpToUtf8(text) + "\", after " + std::to_string(nTimeoutMs) + " ms");
}

void CDialogDriver::WaitForEnabled(int nId, bool bEnabled, DWORD nTimeoutMs) const
{
    HWND hControl = GetControl(nId);
    if (WaitUntil([&] { return (IsWindowEnabled(hControl) != FALSE) == bEnabled; }, nTimeoutMs))
        return;
    ThrowWithScreen("control " + std::to_string(nId) + " still " + (bEnabled ? "disabled" : "enabled") + " after " +
                    std::to_string(nTimeoutMs) + " ms");
}

void CDialogDriver::WaitForClose(DWORD nTimeoutMs) const
{
    WaitForWindowToClose(m_hDialog, nTimeoutMs);
}

void CDialogDriver::SaveScreenshot(const std::string& path) const
{
    SavePng(CaptureSettledWindow(m_hDialog), path);
}
