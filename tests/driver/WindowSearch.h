// Finding the top-level windows of a process, or of every process: dialogs, message boxes, and waiting for them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "Waiting.h"

constexpr DWORD kAnyProcess = 0;

// Visible top-level windows in z-order, topmost first; kAnyProcess lists those of every process.
std::vector<HWND> ListTopLevelWindows(DWORD nProcessId = kAnyProcess);

// Visible top-level dialogs (class #32770), message boxes included.
std::vector<HWND> ListDialogs(DWORD nProcessId = kAnyProcess);

// A message box as MessageBox builds it: one text static with id 0xFFFF, an icon static (id 0x440 under Wine,
// 0x14 under Windows), and push buttons with the ids IDOK..IDCONTINUE; nothing else.
bool IsMessageBox(HWND hWnd);

// Waits for a visible dialog that is not a message box, with exactly this caption unless the caption is empty.
// Throws CDriverError, describing the screen, when none came in time.
HWND WaitForDialog(DWORD nProcessId, const std::string& caption = std::string(), DWORD nTimeoutMs = kDefaultTimeoutMs);

// Dialogs (not message boxes) with exactly this caption, of any process: finds instances a program started itself.
std::vector<HWND> FindDialogsByCaption(const std::string& caption);

// Waits until the window is gone or hidden; throws CDriverError when it stays.
void WaitForWindowToClose(HWND hWnd, DWORD nTimeoutMs = kDefaultTimeoutMs);
