// Passphrase check: decipher the key record that sealing stored and compare it with what the user typed.
#include <cstring>

#include "Chain.h"
#include "CipherFormat.h"
#include "Messages.h"
#include "VelmoraDlg.h"
#include "resource.h"

void CVelmoraDlg::SetRestoreProgress() {
  // The share of the whole cipher file read so far, stub included.
  uint64_t position = m_nLength ? m_nPosition * 100 / m_nLength : 100;
  if (position > 100) position = 100;
  SetProgress(static_cast<int>(position));
}

BOOL CVelmoraDlg::CheckPassphrase() {
  try {
    m_pSource = new CFile(m_strCipherFile, CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary);
  } catch (CFileException* e) {
    MessageBox(msg::kCipherNotOpened010, m_strCipherFile, MB_OK);
    m_bDelete = 0;
    e->Delete();
    return FALSE;
  }
  // A failed seek or read leaves the file to the end of the program, as nothing reads it again.
  auto fail = [this](CFileException* e, const char* text) {
    MessageBox(text, nullptr, MB_OK);
    m_bDelete = 0;
    e->Delete();
    return FALSE;
  };
  auto mismatch = [this]() {
    delete m_pSource;
    m_pSource = nullptr;
    return FALSE;
  };

  try {
    m_nLength = m_pSource->GetLength();
  } catch (CFileException* e) {
    return fail(e, msg::kKeyRecordNotRead012);
  }
  GetDlgItem(IDC_PROGRESS)->SendMessage(PBM_SETRANGE, 0, MAKELPARAM(0, 100));
  try {
    m_pSource->Seek(static_cast<LONGLONG>(m_nMarkerEnd) + 1, CFile::begin);
  } catch (CFileException* e) {
    return fail(e, msg::kCipherNotSeeked011);
  }
  m_nPosition = static_cast<uint64_t>(m_nMarkerEnd) + 1;

  // The lead block only moves the chain on; the length block that replaces it holds P.
  unsigned char block[8] = {};
  for (int pass = 0; pass < 2; ++pass) {
    UINT got;
    try {
      got = m_pSource->Read(block, sizeof block);
    } catch (CFileException* e) {
      return fail(e, msg::kKeyRecordNotRead012);
    }
    m_nPosition += got;
    SetRestoreProgress();
    DecipherBuffer(block, sizeof block);
    PumpMessages();
  }

  const int32_t textSize = static_cast<int32_t>(fmt::LoadLittleEndian32(block));
  if (textSize > fmt::kMaxPassphraseText || textSize < fmt::kMinPassphraseText) return mismatch();

  unsigned char text[fmt::kMaxPassphraseText] = {};
  UINT got;
  try {
    got = m_pSource->Read(text, static_cast<UINT>(textSize));
  } catch (CFileException* e) {
    return fail(e, msg::kKeyRecordNotRead012);
  }
  m_nPosition += got;
  SetRestoreProgress();
  DecipherBuffer(text, textSize);
  PumpMessages();

  const void* zero = std::memchr(text, 0, static_cast<size_t>(textSize));
  if (!zero) return mismatch();
  const int storedLength = static_cast<int>(static_cast<const unsigned char*>(zero) - text);
  if (storedLength != m_strPassphrase.GetLength() ||
      std::memcmp(text, static_cast<const char*>(m_strPassphrase), static_cast<size_t>(storedLength)) != 0) {
    return mismatch();
  }
  return TRUE;
}
