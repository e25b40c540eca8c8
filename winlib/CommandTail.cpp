// The command-line tail, as the start-up code of a Windows program hands it to WinMain.
#include "CommandTail.h"

LPSTR AfxCommandTail(LPSTR commandLine) {
  unsigned char* p = reinterpret_cast<unsigned char*>(commandLine);
  if (*p == '"') {
    ++p;
    while (*p && *p != '"') p += (IsDBCSLeadByte(*p) && p[1]) ? 2 : 1;
    if (*p == '"') ++p;
  } else {
    while (*p > ' ') p += (IsDBCSLeadByte(*p) && p[1]) ? 2 : 1;
  }
  while (*p && *p <= ' ') ++p;
  return reinterpret_cast<LPSTR>(p);
}
