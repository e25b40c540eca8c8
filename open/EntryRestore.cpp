// Entry restoration: decipher every entry record and recreate the file or folder tree under the current folder.
#include <cstring>
#include <vector>

#include "Chain.h"
#include "CipherFormat.h"
#include "Messages.h"
#include "RestorePath.h"
#include "VelmoraDlg.h"
#include "resource.h"

namespace {

struct RestoredFolder {
  CString path;
  fmt::EntryHeader header;
};

void ApplyAttributesAndTimes(const CString& path, const fmt::EntryHeader& header) {
  ::SetFileAttributesA(path, header.attributes);
  // Attribute access is allowed on read-only files; backup semantics lets folders be opened too.
  const HANDLE handle = ::CreateFileA(path, FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return;
  FILETIME times[3];
  std::memcpy(times, header.creationTime, sizeof times);
  ::SetFileTime(handle, &times[0], &times[1], &times[2]);
  ::CloseHandle(handle);
}

}  // namespace

void CVelmoraDlg::RestoreFailed(const char* text, const char* caption) {
  MessageBox(text, caption, MB_OK);
  m_bDelete = 0;
}

void CVelmoraDlg::RestoreAll() {
  unsigned char headerBytes[fmt::kEntryHeaderSize];
  unsigned char name[fmt::kMaxNameLength];
  unsigned char unit[fmt::kTransferUnit];
  CString rootName;
  int rootPrefix = 0;
  bool rootIsFolder = false;
  // Creating a folder's contents changes its times, and a read-only folder may refuse them, so folders
  // get their attributes and times once everything inside them is there, deepest first.
  std::vector<RestoredFolder> folders;

  // Reads one piece of the payload; false, with the box shown, when it fails or comes up short.
  auto readPiece = [&](void* buffer, int length, const char* failure) {
    UINT got;
    try {
      got = m_pSource->Read(buffer, static_cast<UINT>(length));
    } catch (CFileException* e) {
      e->Delete();
      got = 0;
      length = -1;  // always a failure
    }
    m_nPosition += got;
    SetRestoreProgress();
    if (static_cast<int>(got) != length) {
      RestoreFailed(failure);
      return false;
    }
    DecipherBuffer(buffer, length);
    PumpMessages();
    return true;
  };

  for (int entry = 0;; ++entry) {
    if (!readPiece(headerBytes, sizeof headerBytes, msg::kHeaderNotRead013)) break;
    fmt::EntryHeader header;
    std::memcpy(&header, headerBytes, sizeof header);

    const int32_t nameLength = static_cast<int32_t>(header.nameLength);
    const bool folder = (header.attributes & fmt::kAttributeDirectory) != 0;
    const int64_t size = static_cast<int64_t>((static_cast<uint64_t>(header.sizeHigh) << 32) | header.sizeLow);
    if (nameLength < 1 || nameLength > fmt::kMaxNameLength || (!folder && size < 0)) {
      RestoreFailed(msg::kHeaderNotRead013);
      break;
    }

    const int paddedName = static_cast<int>(fmt::Pad8(nameLength));
    if (!readPiece(name, paddedName, msg::kNameNotRead014)) break;
    const void* zero = std::memchr(name, 0, static_cast<size_t>(paddedName));
    if (!zero) {
      RestoreFailed(msg::kHeaderNotRead013);
      break;
    }
    const CString fullName(reinterpret_cast<const char*>(name), static_cast<int>(static_cast<const unsigned char*>(zero) - name));

    if (entry == 0) {
      m_bDelete = GetDlgItem(IDC_DELETE)->SendMessage(BM_GETCHECK, 0, 0) != 0 ? 1 : 0;
      rootName = fullName;
      rootPrefix = RootPrefixLength(rootName);
      rootIsFolder = folder;
    }
    const CString path = fullName.GetLength() > rootPrefix ? fullName.Mid(rootPrefix) : CString();
    const bool inside = entry == 0 || (rootIsFolder && LiesInsideRoot(fullName, rootName));
    if (!inside || !IsSafeRelativePath(path)) {
      RestoreFailed(msg::kHeaderNotRead013);
      break;
    }

    if (folder) {
      ::CreateDirectoryA(path, nullptr);  // an existing folder is simply used
      folders.push_back({path, header});
    } else {
      // Creating over a read-only file fails on Windows, but a superuser on a POSIX file system may
      // replace it: refuse it here too, so the file the user protected is never lost.
      const DWORD existing = ::GetFileAttributesA(path);
      const bool readOnly = existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_READONLY);
      try {
        if (readOnly) throw new CFileException(CFileException::accessDenied, ERROR_ACCESS_DENIED, path);
        m_pCipher = new CFile(path, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
      } catch (CFileException* e) {
        RestoreFailed(msg::kFileNotCreated004, path);
        e->Delete();
        break;
      }
      int64_t toRead = fmt::Pad8(size);
      int64_t toWrite = size;
      bool complete = true;
      do {
        const int readNow = toRead < fmt::kTransferUnit ? static_cast<int>(toRead) : fmt::kTransferUnit;
        toRead -= readNow;
        if (!readPiece(unit, readNow, msg::kContentNotRead001)) { complete = false; break; }
        const int writeNow = toWrite < fmt::kTransferUnit ? static_cast<int>(toWrite) : fmt::kTransferUnit;
        toWrite -= writeNow;
        try {
          m_pCipher->Write(unit, static_cast<UINT>(writeNow));
        } catch (CFileException* e) {
          RestoreFailed(msg::kFileNotWritten002);
          e->Delete();
          complete = false;
          break;
        }
      } while (toRead != 0);
      if (complete) {
        try {
          m_pCipher->Close();
        } catch (CFileException* e) {
          RestoreFailed(msg::kFileNotClosed003);
          e->Delete();
          complete = false;
        }
      }
      // A file cut short keeps what was written; only the handle goes.
      delete m_pCipher;
      m_pCipher = nullptr;
      if (!complete) break;
      ApplyAttributesAndTimes(path, header);
    }
    SetProgress(100);

    if (!(m_nPosition + fmt::kEndSlack < m_nLength)) break;
  }
  delete m_pSource;  // closes the cipher file
  m_pSource = nullptr;
  FlushProgress();

  for (auto folder = folders.rbegin(); folder != folders.rend(); ++folder) ApplyAttributesAndTimes(folder->path, folder->header);
}
