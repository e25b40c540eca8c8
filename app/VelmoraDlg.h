// CVelmoraDlg: the program's one dialog, and the state of a run (sealing and opening are its operations).
#pragma once

#include <cstdint>

#include "Afx.h"

class CVelmoraDlg : public CDialog {
public:
  explicit CVelmoraDlg(CWnd* parent = nullptr);
  ~CVelmoraDlg() override;

  CString m_strSource;          // long path of the source file or folder
  CString m_strPassphrase;      // the passphrase as typed, trimmed
  int64_t m_nTotalSize;         // bytes to seal: the file's size, or the sum over a folder's files
  int64_t m_nDone;              // bytes requested from source files so far
  int64_t m_nStep;              // total size / 100
  uint64_t m_nFoldedKey;
  CFile* m_pSource;             // file being read: program file, source file, or cipher file
  CFile* m_pCipher;             // file being written: cipher file, or a restored file
  uint64_t m_nLength;           // length of the cipher file being opened
  uint64_t m_nPosition;         // read position in that cipher file
  int m_bDelete;                // sealing: delete the sources; opening: have deleteme delete the cipher file
  CString m_strProgram;         // full path of the running program file
  int m_bRestore;
  CString m_strCipherFile;      // restore mode: the running program file
  uint32_t m_nMarkerEnd;        // offset of the payload marker's last byte
  CStringList m_listEntries;    // everything below a source folder, each folder before its contents
  int m_bFolder;
  CButton m_btnStart;
  CButton m_btnAbort;
  CProgressCtrl m_progress;
  CString m_strPassphraseEdit;
  int m_bDeleteCheck;
  CString m_strDescription;
  CString m_strPrompt;
  CString m_strArgument;        // the source path as it came on the command line
  HICON m_hIcon;

  // Listing: where the search for the next unscanned folder resumes, so a tree lists in linear time.
  POSITION m_posNextUnscanned;
  // Sealing: sum of the entry records' sizes, known before anything is written.
  uint64_t m_nRecordsSize;
  // Sealing: some failure was reported, so the cipher file is incomplete.
  int m_bSealFailed;
  // The bar's position as the run has it, and as the control last showed it.
  int m_nProgressWanted;
  int m_nProgressShown;
  DWORD m_dwProgressTick;
  // When the message queue was last emptied.
  DWORD m_dwPumpTick;

  // Lets the window repaint and answer between pieces of a run; returns at once when it did so
  // less than 10 ms ago.
  void PumpMessages();
  // Moves the bar, at most once per 10 ms; the latest position is shown by the next pump or box.
  void SetProgress(int position);
  void FlushProgress();
  int MessageBox(const char* text, const char* caption = nullptr, UINT type = MB_OK);

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnCancel() override;

  void OnSysCommand(UINT nID, LPARAM lParam);
  void OnDestroy();
  void OnPaint();
  HCURSOR OnQueryDragIcon();
  void OnStart();
  DECLARE_MESSAGE_MAP()

private:
  // Source intake: the mode-specific part of OnInitDialog.
  void DescribeRestore();
  void DescribeSource();
  void RejectArgument(const char* description, const char* prompt);

  // Folder enumeration.
  void ListSource(int bFolder);
  int NextFolder(CString& pattern);

  // Sealing writer.
  void SealSource();
  void SealAll();
  void SealEntry(const CString& path);
  void SealWrite(const void* data, int length);
  void SetSealProgress();
  void DeleteSources();
  void ReportSealFailure(const char* text, const char* caption = nullptr);
  bool CipherFileWouldFit();

  // Opening.
  BOOL CheckPassphrase();
  void RestoreAll();
  void SetRestoreProgress();
  void RestoreFailed(const char* text, const char* caption = nullptr);
};
