// Dialog data exchange for text, check state and bound controls.
#include "DataExchange.h"

void DDX_Control(CDataExchange* pDX, int id, CWnd& control) {
  if (!control.m_hWnd) control.Attach(::GetDlgItem(pDX->m_pDlgWnd->m_hWnd, id));
}

void DDX_Text(CDataExchange* pDX, int id, CString& value) {
  CWnd* control = pDX->m_pDlgWnd->GetDlgItem(id);
  if (pDX->m_bSaveAndValidate) control->GetWindowText(value);
  else control->SetWindowText(value);
}

void DDX_Check(CDataExchange* pDX, int id, int& value) {
  const HWND control = ::GetDlgItem(pDX->m_pDlgWnd->m_hWnd, id);
  if (pDX->m_bSaveAndValidate) value = static_cast<int>(::SendMessageA(control, BM_GETCHECK, 0, 0));
  else ::SendMessageA(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}
