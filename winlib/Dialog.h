// CDialog: a modal dialog from a template, driven by the one dialog procedure of the layer.
#pragma once

#include "DataExchange.h"
#include "Wnd.h"

class CDialog : public CWnd {
public:
  explicit CDialog(UINT templateId, CWnd* parent = nullptr) : m_nTemplateId(templateId), m_pParentWnd(parent) {}

  INT_PTR DoModal();
  void EndDialog(int result) { ::EndDialog(m_hWnd, result); }
  BOOL UpdateData(BOOL saveAndValidate = TRUE);
  BOOL IsDialogMessage(MSG* msg) { return ::IsDialogMessageA(m_hWnd, msg); }

protected:
  // Runs the data exchange towards the controls; TRUE lets the dialog manager set the focus.
  virtual BOOL OnInitDialog();
  virtual void DoDataExchange(CDataExchange*) {}
  virtual void OnOK();
  virtual void OnCancel();
  const MessageMap* GetMessageMap() const override;

private:
  static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  UINT m_nTemplateId;
  CWnd* m_pParentWnd;
};
