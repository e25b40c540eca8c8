// CButton and CProgressCtrl: control wrappers bound to dialog controls by data exchange.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "Wnd.h"

class CButton : public CWnd {
public:
  int GetCheck() const { return static_cast<int>(::SendMessageA(m_hWnd, BM_GETCHECK, 0, 0)); }
  void SetCheck(int check) { ::SendMessageA(m_hWnd, BM_SETCHECK, static_cast<WPARAM>(check), 0); }
};

class CProgressCtrl : public CWnd {
public:
  void SetRange(short lower, short upper) { ::SendMessageA(m_hWnd, PBM_SETRANGE, 0, MAKELPARAM(lower, upper)); }
  int SetPos(int position) { return static_cast<int>(::SendMessageA(m_hWnd, PBM_SETPOS, static_cast<WPARAM>(position), 0)); }
};
