// What the driver and its hook DLL inside the program under test exchange: a registered message and shared memory.
#pragma once

#include <windows.h>

// Sent to the window to ask about; wParam is a QueryKind, lParam the driver's process id.
constexpr char kQueryMessageName[] = "VelmoraUiDriver.Query";

// The driver's answer mapping is named this, followed by its process id in decimal.
constexpr char kAnswerMappingPrefix[] = "VelmoraUiDriver.Answer.";

constexpr char kHookDllName[] = "uidriver_hook.dll";
constexpr char kHookProcName[] = "UiDriverCallWndProc";

enum QueryKind : WPARAM
{
    kQuerySystemMenu = 1,
    kQueryDialogBaseUnits = 2,
};

constexpr int kMaxMenuItems = 64;

struct MenuItemAnswer
{
    UINT nId;
    UINT nType;   // MFT_*
    UINT nState;  // MFS_*
    char szText[128];
};

struct QueryAnswer
{
    LONG nAnswered;  // set last, once the rest is written
    LONG nItemCount;
    MenuItemAnswer items[kMaxMenuItems];
    RECT rcBaseUnits;  // MapDialogRect of {0, 0, 4, 8}
};
