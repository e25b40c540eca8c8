// Folder enumeration: every file and folder below the source folder, breadth-first, each folder before its contents.
#include "CipherFormat.h"
#include "VelmoraDlg.h"

namespace {

// A folder whose contents are not listed yet carries this mark in front of its path.
constexpr char kUnscannedMark[] = "+";

}  // namespace

void CVelmoraDlg::ListSource(int bFolder) {
  m_bFolder = bFolder;
  if (bFolder != 1) return;

  m_posNextUnscanned = nullptr;
  CString pattern = m_strSource + "\\*.*";
  do {
    WIN32_FIND_DATAA found;
    const HANDLE search = ::FindFirstFileA(pattern, &found);
    if (search != INVALID_HANDLE_VALUE) {
      const CString folder = pattern.Left(pattern.GetLength() - 3);
      do {
        if (found.cFileName[0] == '.') continue;  // ".", "..", and every dot-named item
        CString full = folder + found.cFileName;
        const int nameLength = full.GetLength() + 1;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          full = kUnscannedMark + full;
          m_nRecordsSize += fmt::EntryRecordSize(nameLength, true, 0);
        } else {
          const uint64_t size = (static_cast<uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
          m_nTotalSize += static_cast<int64_t>(size);
          m_nRecordsSize += fmt::EntryRecordSize(nameLength, false, size);
        }
        m_listEntries.AddTail(full);
      } while (::FindNextFileA(search, &found));
    }
    ::FindClose(search);
  } while (NextFolder(pattern) == 0);
}

// Takes the first marked folder in the list, moves it unmarked to the tail and makes its search pattern.
// Everything before m_posNextUnscanned is unmarked and stays so (new entries only ever go to the tail),
// so the search resumes there instead of at the head: the same order, in time linear in the entries.
int CVelmoraDlg::NextFolder(CString& pattern) {
  POSITION position = m_posNextUnscanned ? m_posNextUnscanned : m_listEntries.GetHeadPosition();
  while (position) {
    const POSITION current = position;
    const CString& path = m_listEntries.GetNext(position);
    if (path[0] != kUnscannedMark[0]) continue;
    pattern = path.Mid(1);
    m_listEntries.RemoveAt(current);
    const POSITION moved = m_listEntries.AddTail(pattern);
    m_posNextUnscanned = position ? position : moved;
    pattern += "\\*.*";
    return 0;
  }
  m_posNextUnscanned = m_listEntries.GetTailPosition();
  return 1;
}
