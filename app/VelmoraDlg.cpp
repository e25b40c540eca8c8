// CVelmoraDlg: construction, data exchange and window messages.
#include "VelmoraDlg.h"

#include "AboutDlg.h"
#include "resource.h"

CVelmoraDlg::CVelmoraDlg(CWnd* parent)
    : CDialog(IDD_VELMORA_DIALOG, parent),
      m_pSource(nullptr),
      m_pCipher(nullptr),
      m_listEntries(10),
      m_bDeleteCheck(0),
      m_hIcon(::LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME))),
      m_posNextUnscanned(nullptr),
      m_nRecordsSize(0),
      m_bSealFailed(0),
      m_nProgressWanted(0),
      m_nProgressShown(0),
      m_dwProgressTick(0),
      m_dwPumpTick(0) {}

CVelmoraDlg::~CVelmoraDlg() = default;

void CVelmoraDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_START, m_btnStart);
  DDX_Control(pDX, IDCANCEL, m_btnAbort);
  DDX_Control(pDX, IDC_PROGRESS, m_progress);
  DDX_Text(pDX, IDC_PASSPHRASE, m_strPassphraseEdit);
  DDX_Check(pDX, IDC_DELETE, m_bDeleteCheck);
  DDX_Text(pDX, IDC_DESCRIPTION, m_strDescription);
  DDX_Text(pDX, IDC_PROMPT, m_strPrompt);
  DDX_Text(pDX, IDC_ARGUMENT, m_strArgument);
}

BEGIN_MESSAGE_MAP(CVelmoraDlg, CDialog)
  ON_WM_SYSCOMMAND()
  ON_WM_DESTROY()
  ON_WM_PAINT()
  ON_WM_QUERYDRAGICON()
  ON_BN_CLICKED(IDC_START, OnStart)
END_MESSAGE_MAP()

BOOL CVelmoraDlg::OnInitDialog() {
  CDialog::OnInitDialog();

  char aboutText[256] = "";
  ::LoadStringA(AfxGetInstanceHandle(), IDS_ABOUTBOX, aboutText, sizeof aboutText);
  const HMENU systemMenu = GetSystemMenu(FALSE);
  if (systemMenu && aboutText[0]) {
    ::AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(systemMenu, MF_STRING, IDM_ABOUTBOX, aboutText);
  }

  SetIcon(m_hIcon, TRUE);
  SetIcon(m_hIcon, FALSE);

  if (m_bRestore) DescribeRestore();
  else DescribeSource();
  return TRUE;
}

void CVelmoraDlg::OnSysCommand(UINT nID, LPARAM lParam) {
  if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
    CAboutDlg about;
    about.DoModal();
  } else {
    CDialog::OnSysCommand(nID, lParam);
  }
}

void CVelmoraDlg::OnDestroy() { CDialog::OnDestroy(); }

void CVelmoraDlg::OnPaint() {
  if (!IsIconic()) {
    CDialog::OnPaint();
    return;
  }
  PAINTSTRUCT ps;
  const HDC dc = ::BeginPaint(m_hWnd, &ps);
  SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  const int iconWidth = ::GetSystemMetrics(SM_CXICON);
  const int iconHeight = ::GetSystemMetrics(SM_CYICON);
  RECT client;
  GetClientRect(&client);
  const int x = (client.right - client.left - iconWidth + 1) / 2;
  const int y = (client.bottom - client.top - iconHeight + 1) / 2;
  ::DrawIcon(dc, x, y, m_hIcon);
  ::EndPaint(m_hWnd, &ps);
}

HCURSOR CVelmoraDlg::OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(m_hIcon); }

void CVelmoraDlg::OnCancel() {
  m_bDelete = 0;
  CDialog::OnCancel();
}
