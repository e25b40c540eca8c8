// Says what is on the screen, for failure messages: every visible window, its controls, and a screenshot.
#pragma once

#include <windows.h>

#include <string>

// One line per visible top-level window (process, class, caption, place), then one per control of each dialog
// (id, class, text, state); texts in UTF-8. Ends with the path of a PNG of the screen those windows cover.
std::string DescribeScreen();

// The lines for one window and its controls.
std::string DescribeWindow(HWND hWnd);
