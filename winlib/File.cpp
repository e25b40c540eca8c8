// CFile: thin forwarding to CreateFileA, ReadFile, WriteFile, SetFilePointerEx, FlushFileBuffers, CloseHandle.
#include "File.h"

namespace {

CFileException::Cause CauseOf(DWORD error, CFileException::Cause fallback) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND: return CFileException::fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME: return CFileException::badPath;
    case ERROR_ACCESS_DENIED: return CFileException::accessDenied;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return CFileException::sharingViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return CFileException::diskFull;
    default: return fallback;
  }
}

}  // namespace

CFile::CFile(const char* fileName, UINT openFlags) : m_strFileName(fileName) {
  DWORD access = 0;
  switch (openFlags & 3) {
    case modeRead: access = GENERIC_READ; break;
    case modeWrite: access = GENERIC_WRITE; break;
    default: access = GENERIC_READ | GENERIC_WRITE; break;
  }
  const DWORD share = (openFlags & shareDenyNone) ? FILE_SHARE_READ | FILE_SHARE_WRITE : 0;
  const DWORD disposition = (openFlags & modeCreate) ? CREATE_ALWAYS : OPEN_EXISTING;
  m_hFile = ::CreateFileA(fileName, access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (m_hFile == INVALID_HANDLE_VALUE) ThrowLastError(CFileException::generic);
}

CFile::~CFile() {
  if (m_hFile != INVALID_HANDLE_VALUE) ::CloseHandle(m_hFile);
}

void CFile::ThrowLastError(CFileException::Cause fallback) const {
  const DWORD error = ::GetLastError();
  throw new CFileException(CauseOf(error, fallback), static_cast<LONG>(error), m_strFileName);
}

UINT CFile::Read(void* buffer, UINT count) {
  DWORD done = 0;
  if (!::ReadFile(m_hFile, buffer, count, &done, nullptr)) ThrowLastError(CFileException::generic);
  return done;
}

void CFile::Write(const void* buffer, UINT count) {
  DWORD done = 0;
  if (!::WriteFile(m_hFile, buffer, count, &done, nullptr)) ThrowLastError(CFileException::generic);
  if (done != count) throw new CFileException(CFileException::diskFull, ERROR_DISK_FULL, m_strFileName);
}

ULONGLONG CFile::Seek(LONGLONG offset, UINT from) {
  LARGE_INTEGER distance, position;
  distance.QuadPart = offset;
  if (!::SetFilePointerEx(m_hFile, distance, &position, from)) ThrowLastError(CFileException::badSeek);
  return static_cast<ULONGLONG>(position.QuadPart);
}

ULONGLONG CFile::GetLength() const {
  LARGE_INTEGER size;
  if (!::GetFileSizeEx(m_hFile, &size)) ThrowLastError(CFileException::generic);
  return static_cast<ULONGLONG>(size.QuadPart);
}

void CFile::Flush() {
  if (!::FlushFileBuffers(m_hFile)) ThrowLastError(CFileException::generic);
}

void CFile::Close() {
  const HANDLE handle = m_hFile;
  m_hFile = INVALID_HANDLE_VALUE;
  if (!::CloseHandle(handle)) ThrowLastError(CFileException::generic);
}
