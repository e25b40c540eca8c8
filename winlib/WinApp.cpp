// CWinApp and AfxWinMain: fills the application object from the module and the command line, then runs InitInstance.
#include "WinApp.h"

#include "CommandTail.h"

namespace {

CWinApp* g_pApp = nullptr;

}  // namespace

CWinApp::CWinApp(const char* appName) : m_pszAppName(appName) { g_pApp = this; }

CWinApp::~CWinApp() {
  if (g_pApp == this) g_pApp = nullptr;
}

CWinApp* AfxGetApp() { return g_pApp; }

const char* AfxGetAppName() { return g_pApp ? g_pApp->m_pszAppName : ""; }

HINSTANCE AfxGetInstanceHandle() { return g_pApp ? g_pApp->m_hInstance : ::GetModuleHandleA(nullptr); }

int AfxWinMain(HINSTANCE instance, int showCommand) {
  CWinApp* app = g_pApp;
  if (!app) return -1;
  app->m_hInstance = instance;
  app->m_nCmdShow = showCommand;
  app->m_lpCmdLine = AfxCommandTail(::GetCommandLineA());

  char module[MAX_PATH + 8] = "";
  ::GetModuleFileNameA(instance, module, MAX_PATH);
  const CString modulePath(module);
  const int dot = modulePath.ReverseFind('.');
  const CString stem = dot >= 0 ? modulePath.Left(dot) : modulePath;
  app->m_strHelpFilePath = stem + ".HLP";
  app->m_pszHelpFilePath = app->m_strHelpFilePath;
  if (!app->m_pszAppName) {
    app->m_strAppName = stem.Mid(stem.ReverseFind('\\') + 1);
    app->m_pszAppName = app->m_strAppName;
  }

  if (!app->InitInstance()) return 0;
  MSG msg;
  while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}
