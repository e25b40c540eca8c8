// Rebuilding a source path from the names the file system reports for its components.
#pragma once

#include "Afx.h"

// The search's view of one path: false when it finds nothing.
bool LookUpPath(const char* path, WIN32_FIND_DATAA& found);

// A path starting with two backslashes or with a drive and a backslash; anything else is resolved
// against the current folder.
CString AbsolutePath(const CString& argument);

// Rebuilds the long path of an absolute path, one component at a time from the deepest upwards;
// the drive, server and share are kept as given. False when a component cannot be looked up.
bool RebuildLongPath(const CString& path, CString& longPath);
