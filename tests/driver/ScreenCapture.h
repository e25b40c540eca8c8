// Copies what is on the screen: the whole desktop or the area of one window, overlapping windows included.
#pragma once

#include <windows.h>

#include "PixelImage.h"

PixelImage CaptureScreenArea(const RECT& area);
PixelImage CaptureScreen();

// The window's whole rectangle (frame and caption too) as the screen shows it.
PixelImage CaptureWindow(HWND hWnd);

// The same, once the window has finished painting: two captures in a row must agree. A window that keeps
// changing (a moving progress bar) gives its last capture when the time is up.
PixelImage CaptureSettledWindow(HWND hWnd, DWORD nTimeoutMs = 3000);
