// Source trees and their expected listing.
#include "SourceTree.h"

#include <deque>

namespace {

std::string Bytes(size_t length, unsigned seed) {
  std::string bytes(length, '\0');
  for (size_t i = 0; i < length; ++i) bytes[i] = static_cast<char>((i * 131 + seed * 7 + (i >> 8)) & 0xFF);
  return bytes;
}

}  // namespace

std::vector<TreeEntry> MixedTree(const std::string& rootName) {
  const std::string r = rootName + "\\";
  std::vector<TreeEntry> tree = {
      {r, ""},
      {r + "a.txt", "alpha"},
      {r + "empty.bin", ""},
      {r + "unit.bin", Bytes(10000, 1)},
      {r + "unit-plus-one.bin", Bytes(10001, 2)},
      {r + "hidden.txt", "hidden", FILE_ATTRIBUTE_HIDDEN},
      {r + "readonly.txt", "read only", FILE_ATTRIBUTE_READONLY},
      {r + "表示.txt", "double-byte name"},
      {r + "sub\\", ""},
      {r + "sub\\c.txt", "charlie"},
      {r + "sub\\ソフト\\", ""},
      {r + "sub\\ソフト\\deep.txt", Bytes(123, 3)},
      {r + "sub2\\", ""},
      {r + "sub2\\d.txt", "delta"},
      {r + ".profile", "not sealed"},
      {r + ".cache\\", ""},
      {r + ".cache\\x.txt", "not sealed"},
  };
  // Fixed times, so that a restored copy can be compared to the second.
  FILETIME when = {0x5C0F6000u, 0x01D9A1B2u};
  for (TreeEntry& entry : tree) {
    if (entry.path.back() != '\\') entry.lastWrite = when;
    when.dwLowDateTime += 10000000u;
  }
  return tree;
}

std::vector<std::string> ListBreadthFirst(const std::string& folder) {
  std::vector<std::string> listed;
  std::deque<std::string> folders = {folder};
  bool root = true;
  while (!folders.empty()) {
    const std::string current = folders.front();
    folders.pop_front();
    if (!root) listed.push_back(current);
    root = false;
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA(JoinPath(current, "*.*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) continue;
    do {
      if (found.cFileName[0] == '.') continue;
      const std::string path = JoinPath(current, found.cFileName);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) folders.push_back(path);
      else listed.push_back(path);
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  return listed;
}

WIN32_FIND_DATAA FindData(const std::string& path) {
  WIN32_FIND_DATAA found = {};
  const HANDLE search = FindFirstFileA(path.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) throw CDriverError("nothing found at " + ConvertAcpToUtf8(path));
  FindClose(search);
  return found;
}
