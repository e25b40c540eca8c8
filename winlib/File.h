// CFile and CFileException: a Win32 file handle that reports every failure by throwing.
#pragma once

#include <windows.h>

#include "String.h"

class CFileException {
public:
  enum Cause { none, generic, fileNotFound, badPath, accessDenied, sharingViolation, badSeek, diskFull, endOfFile };

  CFileException(Cause cause, LONG osError, const char* fileName)
      : m_cause(cause), m_lOsError(osError), m_strFileName(fileName) {}
  // Thrown by pointer; the handler that catches it deletes it.
  void Delete() { delete this; }

  Cause m_cause;
  LONG m_lOsError;
  CString m_strFileName;
};

class CFile {
public:
  enum OpenFlags : UINT {
    modeRead = 0x0000,
    modeWrite = 0x0001,
    modeReadWrite = 0x0002,
    shareDenyNone = 0x0040,
    modeCreate = 0x1000,
    typeBinary = 0x8000,
  };
  enum SeekPosition : UINT { begin = FILE_BEGIN, current = FILE_CURRENT, end = FILE_END };

  // Opens or creates the file; throws CFileException* on failure.
  CFile(const char* fileName, UINT openFlags);
  // Closes the file if it is still open; never throws.
  ~CFile();
  CFile(const CFile&) = delete;
  CFile& operator=(const CFile&) = delete;

  // Returns the bytes read: fewer than asked only at the end of the file.
  UINT Read(void* buffer, UINT count);
  // Writes every byte or throws (a short write means the disk is full).
  void Write(const void* buffer, UINT count);
  ULONGLONG Seek(LONGLONG offset, UINT from);
  ULONGLONG GetLength() const;
  void Flush();
  void Close();
  const CString& GetFilePath() const { return m_strFileName; }

private:
  [[noreturn]] void ThrowLastError(CFileException::Cause fallback) const;

  HANDLE m_hFile = INVALID_HANDLE_VALUE;
  CString m_strFileName;
};
