// What a cipher file may name: only paths that stay inside the folder restored into.
#pragma once

#include "Afx.h"

// A relative path made of ordinary names: not empty, no drive, no leading backslash, no empty, "."
// or ".." component, no component a device (CON, NUL, COM1 ...) or ending in a dot or a space.
bool IsSafeRelativePath(const CString& path);

// Whether a stored full name lies below the root entry's stored name.
bool LiesInsideRoot(const CString& name, const CString& rootName);

// Byte count of a stored name up to and including its last backslash (0 without one).
int RootPrefixLength(const CString& rootName);
