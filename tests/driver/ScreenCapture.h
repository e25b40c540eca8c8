// Copies what is on the screen: the whole desktop or the area of one window, overlapping windows included.
#pragma once

#include <windows.h>

#include "PixelImage.h"

PixelImage CaptureScreenArea(const RECT& area);
PixelImage CaptureScreen();

// The window's whole rectangle (frame and caption too) as the screen shows it.
PixelImage CaptureWindow(HWND hWnd);
