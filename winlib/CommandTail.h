// The part of a command line after the program's name.
#pragma once

#include <windows.h>

// Skips the program's name (quoted or not) and every character of code 0x20 or below after it.
LPSTR AfxCommandTail(LPSTR commandLine);
