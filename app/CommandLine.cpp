// Command-line splitting; double-byte characters are stepped over whole, so a trail byte is never a separator.
#include "CommandLine.h"

namespace {

const char* NextChar(const char* p) {
  return (IsDBCSLeadByte(static_cast<BYTE>(*p)) && p[1]) ? p + 2 : p + 1;
}

const char* FindChar(const char* p, char ch) {
  while (*p && *p != ch) p = NextChar(p);
  return p;
}

}  // namespace

bool SplitCommandLine(const char* commandLine, CString& argument, CString& rest) {
  const char* afterArgument;
  if (commandLine[0] == '"') {
    const char* closing = FindChar(commandLine + 1, '"');
    argument = CString(commandLine + 1, static_cast<int>(closing - commandLine - 1));
    afterArgument = *closing ? closing + 1 : closing;
  } else {
    const char* space = FindChar(commandLine, ' ');
    argument = CString(commandLine, static_cast<int>(space - commandLine));
    afterArgument = space;
  }
  const char* space = FindChar(afterArgument, ' ');
  if (!*space) {
    rest.Empty();
    return false;
  }
  rest = space + 1;
  return true;
}
