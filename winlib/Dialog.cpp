// CDialog: the dialog procedure stores `this`, dispatches through the message map, and keeps C++ exceptions out of Win32.
#include "Dialog.h"

#include <commctrl.h>

#include "WinApp.h"

INT_PTR CDialog::DoModal() {
  // Templates may hold common controls such as the progress bar.
  static const BOOL commonControlsReady = [] {
    INITCOMMONCONTROLSEX init = {sizeof(init), ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
    return ::InitCommonControlsEx(&init);
  }();
  (void)commonControlsReady;
  const HWND parent = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
  return ::DialogBoxParamA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(m_nTemplateId), parent, DialogProc,
                           reinterpret_cast<LPARAM>(this));
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
  CDataExchange dx(this, saveAndValidate);
  DoDataExchange(&dx);
  return TRUE;
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  UpdateData(TRUE);
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

const MessageMap* CDialog::GetMessageMap() const { return CWnd::GetMessageMap(); }

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CDialog* self;
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<CDialog*>(lParam);
    self->m_hWnd = hWnd;
    ::SetWindowLongPtrA(hWnd, DWLP_USER, lParam);
  } else {
    self = reinterpret_cast<CDialog*>(::GetWindowLongPtrA(hWnd, DWLP_USER));
  }
  if (!self) return FALSE;
  try {
    return self->HandleMessage(message, wParam, lParam);
  } catch (...) {
    return FALSE;  // an exception must not unwind through the system's code
  }
}

INT_PTR CDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (DispatchToMap(message, wParam, lParam, result)) {
    // A few messages return their value directly; the rest go through DWLP_MSGRESULT.
    if (message == WM_QUERYDRAGICON || message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORDLG) return result;
    ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, result);
    return TRUE;
  }
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog();
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDOK) { OnOK(); return TRUE; }
      if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDCANCEL) { OnCancel(); return TRUE; }
      return FALSE;
    case WM_NCDESTROY:
      m_hWnd = nullptr;
      return FALSE;
    default:
      return FALSE;
  }
}
