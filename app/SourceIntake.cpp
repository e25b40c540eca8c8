// The mode-specific part of OnInitDialog: describe the restore, or validate the source and describe the sealing.
#include <string>

#include "CipherFormat.h"
#include "LongPath.h"
#include "Messages.h"
#include "VelmoraApp.h"
#include "VelmoraDlg.h"
#include "resource.h"

namespace {

bool EndsWithBackslash(const CString& path) {
  const int last = path.ReverseFind('\\');
  return last >= 0 && last == path.GetLength() - 1;
}

// A drive root, or a network path that does not reach below its share.
bool IsRoot(const CString& path) {
  if (path.GetLength() >= 2 && path[1] == ':') return path.GetLength() <= 3;
  if (path.GetLength() >= 2 && path[0] == '\\' && path[1] == '\\') {
    CString rest = path.Mid(2);
    for (int i = 0; i < 2; ++i) {
      const int slash = rest.Find('\\');
      if (slash < 0) return true;
      rest = rest.Mid(slash + 1);
    }
    return rest.IsEmpty();
  }
  return false;
}

}  // namespace

void CVelmoraDlg::DescribeRestore() {
  char deleteme[MAX_PATH + 32] = "";
  ::GetWindowsDirectoryA(deleteme, MAX_PATH);
  lstrcatA(deleteme, "\\deleteme.exe");
  WIN32_FIND_DATAA found;
  if (!LookUpPath(deleteme, found)) {
    GetDlgItem(IDC_DELETE)->EnableWindow(FALSE);
    g_bDeletemeFound = 0;
  }
  GetDlgItem(IDC_DESCRIPTION)->SetWindowText(msg::kRestoreDescription);
}

void CVelmoraDlg::RejectArgument(const char* description, const char* prompt) {
  GetDlgItem(IDC_DESCRIPTION)->SetWindowText(description);
  GetDlgItem(IDC_PROMPT)->SetWindowText(prompt);
  GetDlgItem(IDC_START)->EnableWindow(FALSE);
  GetDlgItem(IDC_DELETE)->EnableWindow(FALSE);
  GetDlgItem(IDC_PASSPHRASE)->EnableWindow(FALSE);
  m_bDelete = 0;
}

void CVelmoraDlg::DescribeSource() {
  if (m_strArgument.IsEmpty()) {
    RejectArgument(msg::kDropRequest, "");
    return;
  }
  if (m_strArgument.Find('*') >= 0 || m_strArgument.Find('?') >= 0) {
    RejectArgument(msg::kWildcardFound, m_strArgument);
    return;
  }

  const CString path = AbsolutePath(m_strArgument);
  WIN32_FIND_DATAA found;
  if (EndsWithBackslash(path) || IsRoot(path) || !RebuildLongPath(path, m_strSource) ||
      !LookUpPath(m_strSource, found)) {
    RejectArgument(msg::kSourceNotFound, m_strArgument);
    return;
  }

  CString description = m_strSource + msg::kWillConvert;
  const bool folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  const int rootNameLength = m_strSource.GetLength() + 1;
  if (!folder) {
    ListSource(0);
    m_nTotalSize = static_cast<int64_t>((static_cast<uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow);
    m_nRecordsSize = fmt::EntryRecordSize(rootNameLength, false, static_cast<uint64_t>(m_nTotalSize));
  } else {
    m_nTotalSize = 0;
    m_nRecordsSize = fmt::EntryRecordSize(rootNameLength, true, 0);
    description += msg::kIsFolder;
    ListSource(1);
  }
  description += msg::kSourceLength;
  description += std::to_string(m_nTotalSize).c_str();
  description += msg::kBytes;
  GetDlgItem(IDC_DESCRIPTION)->SetWindowText(description);
}
