// Dialog data exchange: copies values between members and controls, in the direction m_bSaveAndValidate says.
#pragma once

#include "Wnd.h"

class CDataExchange {
public:
  CDataExchange(CWnd* dialog, BOOL saveAndValidate) : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}
  BOOL m_bSaveAndValidate;  // TRUE: controls to members
  CWnd* m_pDlgWnd;
};

// Binds a control object to the dialog's control; the binding is made once and kept.
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
void DDX_Text(CDataExchange* pDX, int id, CString& value);
void DDX_Check(CDataExchange* pDX, int id, int& value);
