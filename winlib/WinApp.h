// CWinApp: the application object; the layer's WinMain fills it in and calls InitInstance.
#pragma once

#include <windows.h>

#include "String.h"

class CWnd;

class CWinApp {
public:
  // Exactly one application object exists, constructed as a global before WinMain runs.
  explicit CWinApp(const char* appName = nullptr);
  virtual ~CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  // FALSE ends the program at once, without a message loop.
  virtual BOOL InitInstance() { return TRUE; }
  // Kept for programs that still need the three-dimensional look; every supported system has it.
  void Enable3dControlsStatic() {}

  HINSTANCE m_hInstance = nullptr;
  LPSTR m_lpCmdLine = nullptr;       // the command line after the program's name and the blanks behind it
  int m_nCmdShow = SW_SHOWNORMAL;
  const char* m_pszAppName = nullptr;       // title of message boxes without a caption of their own
  const char* m_pszHelpFilePath = nullptr;  // the module's path with its last extension replaced by ".HLP"
  CWnd* m_pMainWnd = nullptr;

private:
  friend int AfxWinMain(HINSTANCE, int);
  CString m_strAppName;
  CString m_strHelpFilePath;
};

CWinApp* AfxGetApp();
const char* AfxGetAppName();
HINSTANCE AfxGetInstanceHandle();
int AfxWinMain(HINSTANCE instance, int showCommand);
