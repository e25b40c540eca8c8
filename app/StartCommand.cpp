// The Start command: take and hide the passphrase, set the key, hold it to its limits, then seal or restore.
#include <cstring>

#include "CipherFormat.h"
#include "Des.h"
#include "Fold.h"
#include "Messages.h"
#include "VelmoraDlg.h"
#include "resource.h"

namespace {

bool IsSystemLeadByte(unsigned char byte) { return ::IsDBCSLeadByte(byte) != 0; }

}  // namespace

void CVelmoraDlg::OnStart() {
  GetDlgItem(IDCANCEL)->EnableWindow(FALSE);
  CWnd* edit = GetDlgItem(IDC_PASSPHRASE);
  edit->GetWindowText(m_strPassphrase);
  edit->SetWindowText(msg::kHiddenPassphrase);
  GetDlgItem(IDC_DELETE)->EnableWindow(FALSE);
  edit->EnableWindow(FALSE);

  m_strPassphrase.TrimRight();
  m_strPassphrase.TrimLeft();

  unsigned char work[32] = {};
  const int copied = m_strPassphrase.GetLength() < 32 ? m_strPassphrase.GetLength() : 32;
  std::memcpy(work, static_cast<const char*>(m_strPassphrase), static_cast<size_t>(copied));
  const FoldResult folded = FoldPassphrase(work, IsSystemLeadByte);
  m_nFoldedKey = folded.key;
  DesSetKey(static_cast<uint32_t>(m_nFoldedKey), static_cast<uint32_t>(m_nFoldedKey >> 32));

  const char* refusal = nullptr;
  if (folded.count < 10) refusal = msg::kPassphraseTooShort;
  else if (m_strPassphrase.GetLength() > fmt::kMaxPassphraseLength) refusal = msg::kPassphraseTooLong;
  if (refusal) {
    m_bDelete = 0;
    MessageBox(refusal, msg::kCaptionErrorLatin, MB_OK);
    CDialog::OnCancel();
    return;
  }

  GetDlgItem(IDC_START)->EnableWindow(FALSE);
  GetDlgItem(IDC_DELETE)->EnableWindow(FALSE);
  edit->EnableWindow(FALSE);

  if (m_bRestore) {
    if (!CheckPassphrase()) {
      m_bDelete = 0;
      MessageBox(msg::kPassphraseWrong, msg::kCaptionError, MB_OK | MB_ICONSTOP);
    } else {
      RestoreAll();
    }
    CDialog::OnCancel();
  } else {
    SealSource();  // ends the dialog on every path
  }
}
