// CWnd: a window handle with the few calls the program makes on its dialog and controls.
#pragma once

#include <windows.h>

#include <map>
#include <memory>

#include "MessageMap.h"
#include "String.h"

class CWnd {
public:
  CWnd() = default;
  virtual ~CWnd();
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  HWND GetSafeHwnd() const { return m_hWnd; }
  void Attach(HWND hWnd) { m_hWnd = hWnd; }
  HWND Detach() { HWND h = m_hWnd; m_hWnd = nullptr; return h; }

  // The child control with this id; the wrapper lives as long as this window object.
  CWnd* GetDlgItem(int id);

  BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
  void SetWindowText(const char* text) { ::SetWindowTextA(m_hWnd, text); }
  void GetWindowText(CString& text) const;
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
  }
  // With no caption, the box carries the application's title.
  int MessageBox(const char* text, const char* caption = nullptr, UINT type = MB_OK);
  HMENU GetSystemMenu(BOOL revert) const { return ::GetSystemMenu(m_hWnd, revert); }
  HICON SetIcon(HICON icon, BOOL bigIcon) {
    return reinterpret_cast<HICON>(SendMessage(WM_SETICON, bigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
  }
  BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
  void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }

  HWND m_hWnd = nullptr;

protected:
  virtual const MessageMap* GetMessageMap() const;
  // Called by a handler that wants the window's default processing of the current message.
  void Default() { m_bDefault = true; }
  void OnSysCommand(UINT, LPARAM) { Default(); }
  void OnDestroy() { Default(); }
  void OnPaint() { Default(); }

  // Runs the mapped handler for a message; false when there is none or it asked for the default.
  bool DispatchToMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
  std::map<int, std::unique_ptr<CWnd>> m_children;
  bool m_bDefault = false;
};
