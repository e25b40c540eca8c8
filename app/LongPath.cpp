// Long-path rebuild: short (8.3) names become the long names the file system reports.
#include "LongPath.h"

bool LookUpPath(const char* path, WIN32_FIND_DATAA& found) {
  const HANDLE search = ::FindFirstFileA(path, &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  ::FindClose(search);
  return true;
}

CString AbsolutePath(const CString& argument) {
  const bool network = argument.GetLength() >= 2 && argument[0] == '\\' && argument[1] == '\\';
  const bool drive = argument.GetLength() >= 3 && argument[1] == ':' && argument[2] == '\\';
  if (network || drive) return argument;
  char full[MAX_PATH * 2];
  char* fileName = nullptr;
  const DWORD length = ::GetFullPathNameA(argument, sizeof full, full, &fileName);
  if (length == 0 || length >= sizeof full) return argument;
  return CString(full);
}

bool RebuildLongPath(const CString& path, CString& longPath) {
  WIN32_FIND_DATAA found;
  if (!LookUpPath(path, found)) return false;
  CString built = found.cFileName;

  // Split off the root prefix (drive, or \\server\share) and the rest.
  CString prefix, rest;
  if (path.GetLength() >= 2 && path[0] == '\\' && path[1] == '\\') {
    prefix = "\\";
    rest = path.Mid(2);
    for (int i = 0; i < 2; ++i) {
      const int slash = rest.Find('\\');
      if (slash < 0) break;
      prefix += "\\";
      prefix += rest.Left(slash);
      rest = rest.Mid(slash + 1);
    }
  } else if (path.GetLength() >= 2 && path[1] == ':') {
    prefix = path.Left(2);
    rest = path.Mid(2);
  } else {
    rest = path;
  }

  const bool driveRoot = prefix.GetLength() >= 2 && prefix[1] == ':';
  for (int slash = rest.ReverseFind('\\'); slash >= 0; slash = rest.ReverseFind('\\')) {
    rest = rest.Left(slash);
    if (rest.IsEmpty()) continue;
    const CString lookup = driveRoot ? prefix + rest : prefix + "\\" + rest;
    if (!LookUpPath(lookup, found)) return false;
    built = CString(found.cFileName) + "\\" + built;
  }
  longPath = prefix + "\\" + built;
  return true;
}
