// Splitting the command line into this instance's argument and the rest, which a new instance takes.
#pragma once

#include "Afx.h"

// Returns true when there is a rest to hand to a new instance (possibly empty).
// An unquoted argument runs to the first space. A quoted one runs to the next double quote and is
// taken without the quotes, so that a dropped path with spaces stays whole.
bool SplitCommandLine(const char* commandLine, CString& argument, CString& rest);
