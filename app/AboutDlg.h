// CAboutDlg: the About box opened from the system menu.
#pragma once

#include "Afx.h"

class CAboutDlg : public CDialog {
public:
  CAboutDlg();
  ~CAboutDlg() override;

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  DECLARE_MESSAGE_MAP()
};
