// Sealing writer: stub, marker, lead block, key record and one entry record per source item, then the deletion of the sources.
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "Chain.h"
#include "CipherFormat.h"
#include "Messages.h"
#include "VelmoraDlg.h"
#include "resource.h"

namespace {

void CopyTo(unsigned char* target, const char* text, int length) { std::memcpy(target, text, static_cast<size_t>(length)); }

}  // namespace

void CVelmoraDlg::ReportSealFailure(const char* text, const char* caption) {
  MessageBox(text, caption, MB_OK);
  m_bDelete = 0;
  m_bSealFailed = 1;
}

bool CVelmoraDlg::CipherFileWouldFit() {
  WIN32_FILE_ATTRIBUTE_DATA program;
  if (!::GetFileAttributesExA(m_strProgram, GetFileExInfoStandard, &program)) return true;  // the stub copy reports it
  const uint64_t stub = (static_cast<uint64_t>(program.nFileSizeHigh) << 32) | program.nFileSizeLow;
  const uint64_t keyRecord = fmt::kLengthBlockSize + fmt::PassphraseTextSize(m_strPassphrase.GetLength());
  const uint64_t total = stub + fmt::kMarkerLength + fmt::kLeadBlockSize + keyRecord + m_nRecordsSize;
  return total <= fmt::kMaxCipherFileSize;
}

void CVelmoraDlg::SealSource() {
  m_bSealFailed = 0;
  if (!CipherFileWouldFit()) {
    m_bDelete = 0;
    MessageBox(msg::kCipherFileTooLarge, msg::kCaptionErrorLatin, MB_OK);
    CDialog::OnCancel();
    return;
  }

  const CString cipherPath = m_strSource + ".EXE";
  // Each step below ends the run on failure; after the cipher file exists, an incomplete one is removed.
  auto fail = [&](CFileException* e, const char* text, bool created) {
    MessageBox(text, nullptr, MB_OK);
    m_bDelete = 0;
    e->Delete();
    if (created) {
      delete m_pSource;
      m_pSource = nullptr;
      delete m_pCipher;
      m_pCipher = nullptr;
      ::DeleteFileA(cipherPath);
    }
    CDialog::OnCancel();
  };

  m_pSource = nullptr;
  m_pCipher = nullptr;
  try {
    m_pCipher = new CFile(cipherPath, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
  } catch (CFileException* e) {
    return fail(e, msg::kCipherNotCreated015, false);  // an existing file of that name was not touched
  }
  try {
    m_pSource = new CFile(m_strProgram, CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary);
  } catch (CFileException* e) {
    return fail(e, msg::kProgramNotFound016, true);
  }

  unsigned char unit[fmt::kTransferUnit];
  UINT got = 0;
  do {
    try {
      got = m_pSource->Read(unit, sizeof unit);
    } catch (CFileException* e) {
      return fail(e, msg::kProgramReadFailed017, true);
    }
    try {
      m_pCipher->Write(unit, got);
    } catch (CFileException* e) {
      return fail(e, msg::kStubNotWritten018, true);
    }
  } while (got == sizeof unit);
  delete m_pSource;
  m_pSource = nullptr;

  unsigned char marker[fmt::kMarkerLength];
  fmt::FillMarker(marker);
  try {
    m_pCipher->Write(marker, sizeof marker);
  } catch (CFileException* e) {
    return fail(e, msg::kMarkerNotWritten019, true);
  }

  std::srand(static_cast<unsigned>(std::time(nullptr)));
  unsigned char lead[fmt::kLeadBlockSize];
  fmt::StoreLittleEndian32(lead, static_cast<uint32_t>(std::rand()));
  fmt::StoreLittleEndian32(lead + 4, static_cast<uint32_t>(std::rand()));
  SealWrite(lead, sizeof lead);

  const int passphraseLength = m_strPassphrase.GetLength();
  const int32_t textSize = fmt::PassphraseTextSize(passphraseLength);
  unsigned char lengthBlock[fmt::kLengthBlockSize] = {};
  fmt::StoreLittleEndian32(lengthBlock, static_cast<uint32_t>(textSize));
  SealWrite(lengthBlock, sizeof lengthBlock);

  unsigned char text[fmt::kMaxPassphraseText] = {};
  CopyTo(text, m_strPassphrase, passphraseLength);
  SealWrite(text, textSize);

  SealAll();

  // The sources go only once the cipher file is complete and safely on disk.
  try {
    m_pCipher->Flush();
    m_pCipher->Close();
  } catch (CFileException* e) {
    return fail(e, msg::kCipherNotClosed020, true);
  }
  delete m_pCipher;
  m_pCipher = nullptr;

  if (m_bSealFailed) ::DeleteFileA(cipherPath);
  else if (m_bDelete) DeleteSources();
  m_bDelete = 0;
  CDialog::OnCancel();
}

void CVelmoraDlg::SealWrite(const void* data, int length) {
  unsigned char piece[fmt::kMaxPassphraseText];
  std::memcpy(piece, data, static_cast<size_t>(length));
  EncipherBuffer(piece, length);
  PumpMessages();
  try {
    m_pCipher->Write(piece, static_cast<UINT>(length));
  } catch (CFileException* e) {
    ReportSealFailure(msg::kPieceNotWritten009);
    e->Delete();
  }
}

void CVelmoraDlg::SetSealProgress() {
  // The step is total / 100; below 100 bytes it is 0, and the share is taken directly.
  int64_t position;
  if (m_nStep > 0) position = m_nDone / m_nStep;
  else position = m_nTotalSize > 0 ? m_nDone * 100 / m_nTotalSize : 0;
  if (position > 100) position = 100;
  SetProgress(static_cast<int>(position));
}

void CVelmoraDlg::SealEntry(const CString& path) {
  const int nameLength = path.GetLength() + 1;
  if (nameLength > fmt::kMaxNameLength) {
    ReportSealFailure(msg::kSourceNotOpened005, path);
    return;
  }

  // An entry that vanished since it was listed gets a zero header; opening it then fails with 005.
  WIN32_FIND_DATAA found = {};
  const HANDLE search = ::FindFirstFileA(path, &found);
  if (search != INVALID_HANDLE_VALUE) ::FindClose(search);

  unsigned char header[fmt::kEntryHeaderSize];
  fmt::StoreLittleEndian32(header, static_cast<uint32_t>(nameLength));
  std::memcpy(header + 4, &found, fmt::kEntryHeaderSize - 4);
  SealWrite(header, sizeof header);

  unsigned char name[fmt::kMaxNameLength] = {};
  CopyTo(name, path, nameLength);
  SealWrite(name, static_cast<int>(fmt::Pad8(nameLength)));

  if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return;

  const int64_t size = static_cast<int64_t>((static_cast<uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow);
  int64_t remaining = size;
  int64_t paddedRemaining = fmt::Pad8(size);
  try {
    m_pSource = new CFile(path, CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary);
  } catch (CFileException* e) {
    ReportSealFailure(msg::kSourceNotOpened005, path);
    e->Delete();
    return;
  }

  unsigned char unit[fmt::kTransferUnit];
  auto failContent = [&](CFileException* e, const char* text) {
    ReportSealFailure(text);
    e->Delete();
    delete m_pSource;
    m_pSource = nullptr;
  };
  do {
    const int toRead = remaining < fmt::kTransferUnit ? static_cast<int>(remaining) : fmt::kTransferUnit;
    remaining -= toRead;
    UINT got;
    try {
      got = m_pSource->Read(unit, static_cast<UINT>(toRead));
    } catch (CFileException* e) {
      return failContent(e, msg::kSourceNotRead006);
    }
    if (got < static_cast<UINT>(toRead)) {
      // The file shrank since it was listed: what is missing goes in as zeros, never as stale bytes.
      ReportSealFailure(msg::kShortRead);
      std::memset(unit + got, 0, static_cast<size_t>(toRead) - got);
    }
    m_nDone += toRead;
    SetSealProgress();

    const int toWrite = paddedRemaining < fmt::kTransferUnit ? static_cast<int>(paddedRemaining) : fmt::kTransferUnit;
    paddedRemaining -= toWrite;
    std::memset(unit + toRead, 0, static_cast<size_t>(toWrite - toRead));
    EncipherBuffer(unit, toWrite);
    PumpMessages();
    try {
      m_pCipher->Write(unit, static_cast<UINT>(toWrite));
    } catch (CFileException* e) {
      return failContent(e, msg::kContentNotWritten007);
    }
  } while (remaining != 0);

  try {
    m_pSource->Close();
  } catch (CFileException* e) {
    // The content is complete; only the sources must stay.
    MessageBox(msg::kSourceNotClosed008, nullptr, MB_OK);
    m_bDelete = 0;
    e->Delete();
  }
  delete m_pSource;
  m_pSource = nullptr;
}

void CVelmoraDlg::SealAll() {
  m_bDelete = GetDlgItem(IDC_DELETE)->SendMessage(BM_GETCHECK, 0, 0) != 0 ? 1 : 0;
  m_nStep = m_nTotalSize / 100;
  GetDlgItem(IDC_PROGRESS)->SendMessage(PBM_SETRANGE, 0, MAKELPARAM(0, 100));
  m_nDone = 0;

  SealEntry(m_strSource);
  if (m_bFolder) {
    for (POSITION position = m_listEntries.GetHeadPosition(); position;) SealEntry(m_listEntries.GetNext(position));
  }
  SetProgress(100);
  FlushProgress();
}

void CVelmoraDlg::DeleteSources() {
  if (!m_bFolder) {
    ::DeleteFileA(m_strSource);  // a read-only single file stays
    return;
  }
  // The list holds each folder before its contents, so walking it backwards empties a folder before removing it.
  for (POSITION position = m_listEntries.GetTailPosition(); position;) {
    const CString& path = m_listEntries.GetPrev(position);
    WIN32_FIND_DATAA found;
    const HANDLE search = ::FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE) continue;  // already gone
    ::SetFileAttributesA(path, found.dwFileAttributes & ~(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    ::FindClose(search);
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ::RemoveDirectoryA(path);
    else ::DeleteFileA(path);
    PumpMessages();
  }
  ::RemoveDirectoryA(m_strSource);
}
