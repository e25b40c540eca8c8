// uidriver_hook.dll: loaded into the program under test to read what Wine gives no other process (system menu, dialog units).
#include <windows.h>

#include "HookProtocol.h"

namespace
{
void AnswerSystemMenu(HWND hWnd, QueryAnswer* pAnswer)
{
    HMENU hMenu = GetSystemMenu(hWnd, FALSE);
    int nCount = hMenu ? GetMenuItemCount(hMenu) : 0;
    if (nCount > kMaxMenuItems)
        nCount = kMaxMenuItems;
    for (int i = 0; i < nCount; ++i)
    {
        MenuItemAnswer& item = pAnswer->items[i];
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE | MIIM_STRING;
        info.dwTypeData = item.szText;
        info.cch = sizeof item.szText;
        item.szText[0] = '\0';
        GetMenuItemInfoA(hMenu, i, TRUE, &info);
        item.nId = info.wID;
        item.nType = info.fType;
        item.nState = info.fState;
    }
    pAnswer->nItemCount = nCount > 0 ? nCount : 0;
}

void AnswerDialogBaseUnits(HWND hWnd, QueryAnswer* pAnswer)
{
    RECT rect = {0, 0, 4, 8};
    MapDialogRect(hWnd, &rect);
    pAnswer->rcBaseUnits = rect;
}

void Answer(HWND hWnd, WPARAM nKind, DWORD nDriverProcessId)
{
    char szName[64];
    wsprintfA(szName, "%s%lu", kAnswerMappingPrefix, nDriverProcessId);
    HANDLE hMapping = OpenFileMappingA(FILE_MAP_WRITE, FALSE, szName);
    if (!hMapping)
        return;
    auto* pAnswer = static_cast<QueryAnswer*>(MapViewOfFile(hMapping, FILE_MAP_WRITE, 0, 0, sizeof(QueryAnswer)));
    if (pAnswer)
    {
        if (nKind == kQuerySystemMenu)
            AnswerSystemMenu(hWnd, pAnswer);
        else if (nKind == kQueryDialogBaseUnits)
            AnswerDialogBaseUnits(hWnd, pAnswer);
        InterlockedExchange(&pAnswer->nAnswered, 1);
        UnmapViewOfFile(pAnswer);
    }
    CloseHandle(hMapping);
}
}

extern "C" __declspec(dllexport) LRESULT CALLBACK UiDriverCallWndProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    static const UINT s_nQueryMessage = RegisterWindowMessageA(kQueryMessageName);
    if (nCode == HC_ACTION)
    {
        const auto* pCall = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (pCall->message == s_nQueryMessage)
            Answer(pCall->hwnd, pCall->wParam, static_cast<DWORD>(pCall->lParam));
    }
    return CallNextHookEx(nullptr, nCode, wParam, lParam);
}
