// Source trees for sealing tests, and the breadth-first listing a cipher file's entries must follow.
#pragma once

#include <string>
#include <vector>

#include "UiDriver.h"

// A small tree that exercises names, sizes and attributes: nested folders, a hidden and a read-only
// file, double-byte names (表 and ソ end in the byte 0x5C), files of 0, 10000 and 10001 bytes.
std::vector<TreeEntry> MixedTree(const std::string& rootName);

// Full paths below the folder: first the files directly in it, then for each folder in breadth-first
// order the folder itself and the files directly in it; dot-named items are left out.
std::vector<std::string> ListBreadthFirst(const std::string& folder);

// The directory search's view of one path.
WIN32_FIND_DATAA FindData(const std::string& path);
