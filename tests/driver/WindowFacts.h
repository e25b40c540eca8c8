// What can be read from any window, of this process or another: text, class, owner process and thread,
// and messages sent with a deadline that holds even when the window's thread is stuck.
#pragma once

#include <windows.h>

#include <string>

// SendMessageTimeoutA from a helper thread: under Wine SendMessageTimeout waits for a busy receiver to finish
// its handler, however long that takes, so the deadline is kept here. For messages that carry no pointer.
bool SendMessageWithin(HWND hWnd, UINT uMessage, WPARAM wParam, LPARAM lParam, DWORD nTimeoutMs, DWORD_PTR& nResult);

// WM_GETTEXT, which reaches a control's own text (GetWindowTextA of another process's edit returns nothing).
// A window whose thread is busy past the timeout makes this throw CDriverError.
std::string ReadWindowText(HWND hWnd, DWORD nTimeoutMs);

// WM_SETTEXT with the same deadline; throws CDriverError when the window does not take it in time.
void WriteWindowText(HWND hWnd, const std::string& text, DWORD nTimeoutMs);

// For describing the screen: a busy window gives its stored title instead of an error.
std::string PeekWindowText(HWND hWnd);

std::string GetWindowClass(HWND hWnd);
DWORD GetWindowProcess(HWND hWnd);
DWORD GetWindowThread(HWND hWnd);
