// Windows paths for tests: the build tree seen through Wine's Z: drive, and joining that respects code page 932.
#pragma once

#include <string>

// The build tree (the folder holding bin\), found from this program's own location.
std::string GetBuildFolder();
std::string GetBinFolder();

// <build>\scratch: where tests make their files; created if missing.
std::string GetScratchRoot();

// "/work/a b/c" -> "Z:\work\a b\c": Wine maps the Unix root to drive Z:. The Unix path is UTF-8, the result code page 932.
std::string ToWindowsPath(const std::string& unixPath);

// Joins with one backslash. A 0x5C trail byte (as in 表 or ソ) at the end of the first part is not a separator.
std::string JoinPath(const std::string& folder, const std::string& name);

// True for a path ending in a backslash; false for one ending in 表, whose last byte is also 0x5C.
bool EndsWithSeparator(const std::string& path);

// Everything before the last separator, "" when there is none.
std::string GetParentFolder(const std::string& path);
