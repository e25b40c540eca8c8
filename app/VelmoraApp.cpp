// Start-up: relaunch for further paths, the marker scan that picks the mode, the dialog, the deletion request.
#include "VelmoraApp.h"

#include <shellapi.h>

#include "CipherFormat.h"
#include "CommandLine.h"
#include "Messages.h"
#include "VelmoraDlg.h"

int g_bDeletemeFound = 1;

CVelmoraApp theApp;

BOOL CVelmoraApp::InitInstance() {
  Enable3dControlsStatic();

  CVelmoraDlg dlg;
  m_pMainWnd = &dlg;
  dlg.m_strDescription = msg::kInitialDescription;
  dlg.m_strPrompt = msg::kPrompt;
  dlg.m_bDeleteCheck = 0;

  // The help-file path is the module's path with its last extension replaced by ".HLP".
  const CString helpPath(m_pszHelpFilePath);
  dlg.m_strProgram = helpPath.Left(helpPath.GetLength() - 4) + ".exe";

  CString argument, rest;
  if (SplitCommandLine(m_lpCmdLine, argument, rest)) {
    ::ShellExecuteA(nullptr, "open", dlg.m_strProgram, rest, "", SW_SHOW);
  }
  dlg.m_strArgument = argument;

  int found = 0;
  uint32_t markerEnd = 0;
  if (!ScanForMarker(dlg.m_strProgram, found, markerEnd)) {
    m_pMainWnd = nullptr;
    return FALSE;
  }
  if (found) {
    dlg.m_bDelete = 1;
    dlg.m_bRestore = 1;
    dlg.m_strCipherFile = dlg.m_strProgram;
    dlg.m_bDeleteCheck = 0;
    dlg.m_nMarkerEnd = markerEnd;
  } else {
    dlg.m_bDelete = 0;
    dlg.m_bRestore = 0;
  }

  dlg.DoModal();

  if (dlg.m_bDelete && g_bDeletemeFound == 1) {
    ::ShellExecuteA(nullptr, "open", "deleteme.exe", dlg.m_strProgram, "", SW_SHOW);
  }
  m_pMainWnd = nullptr;
  return FALSE;
}

BOOL CVelmoraApp::ScanForMarker(const CString& program, int& found, uint32_t& markerEnd) {
  CFile* file;
  try {
    file = new CFile(program, CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary);
  } catch (CFileException* e) {
    ::MessageBoxA(nullptr, msg::kProgramNotFound021, msg::kCaptionError, MB_OK);
    e->Delete();
    return FALSE;
  }

  unsigned char buffer[fmt::kTransferUnit];
  int run = 0;
  int32_t offset = 0;
  UINT got = 0;
  found = 0;
  do {
    try {
      got = file->Read(buffer, sizeof buffer);
    } catch (CFileException* e) {
      ::MessageBoxA(nullptr, msg::kProgramUnreadable022, msg::kCaptionError, MB_OK);
      e->Delete();
      delete file;
      return FALSE;
    }
    for (UINT i = 0; i < got; ++i) {
      // The byte that breaks a run does not start a new one; bytes of 0x80 and above never match.
      ++run;
      if (static_cast<signed char>(buffer[i]) != run) run = 0;
      if (run == fmt::kMarkerLength) {
        found = 1;
        offset += static_cast<int32_t>(i);
        break;
      }
    }
    if (!found) offset += static_cast<int32_t>(got);
  } while (!found && got == sizeof buffer);

  try {
    file->Close();
  } catch (CFileException* e) {
    ::MessageBoxA(nullptr, msg::kProgramNotClosed023, msg::kCaptionError, MB_OK);
    e->Delete();
    delete file;
    return FALSE;
  }
  delete file;
  markerEnd = static_cast<uint32_t>(offset);
  return TRUE;
}
