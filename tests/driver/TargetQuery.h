// Questions answered from inside the program under test, through uidriver_hook.dll: Wine lets no other process
// read a window's system menu or map its dialog units (GetSystemMenu returns NULL, MapDialogRect fails).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "Waiting.h"

struct MenuItemFacts
{
    UINT nId;
    std::string text;  // code page 932, with its & and any tab-separated accelerator text
    bool bSeparator;
    bool bEnabled;
    bool bChecked;
};

// The items of the window's system menu, top to bottom. Throws CDriverError if the program does not answer.
std::vector<MenuItemFacts> ReadSystemMenu(HWND hWnd, DWORD nTimeoutMs = kDefaultTimeoutMs);

// The dialog's base units as MapDialogRect gives them: pixels for 4 horizontal and 8 vertical dialog units.
SIZE ReadDialogBaseUnits(HWND hDialog, DWORD nTimeoutMs = kDefaultTimeoutMs);
