// CWnd: child wrappers, message boxes and message-map dispatch.
#include "Wnd.h"

#include "WinApp.h"

CWnd::~CWnd() = default;

CWnd* CWnd::GetDlgItem(int id) {
  HWND child = ::GetDlgItem(m_hWnd, id);
  if (!child) return nullptr;
  std::unique_ptr<CWnd>& wrapper = m_children[id];
  if (!wrapper) wrapper.reset(new CWnd);
  wrapper->Attach(child);
  return wrapper.get();
}

void CWnd::GetWindowText(CString& text) const {
  const int length = ::GetWindowTextLengthA(m_hWnd);
  ::GetWindowTextA(m_hWnd, text.GetBuffer(length + 1), length + 1);
  text.ReleaseBuffer();
}

int CWnd::MessageBox(const char* text, const char* caption, UINT type) {
  return ::MessageBoxA(m_hWnd, text, caption ? caption : AfxGetAppName(), type);
}

const MessageMap* CWnd::GetMessageMap() const {
  static const MessageMapEntry none[] = {{0, 0, 0, nullptr}};
  static const MessageMap map = {nullptr, none};
  return &map;
}

bool CWnd::DispatchToMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  for (const MessageMap* map = GetMessageMap(); map; map = map->base) {
    for (const MessageMapEntry* entry = map->entries; entry->message; ++entry) {
      if (entry->message != message) continue;
      if (message == WM_COMMAND && (entry->id != LOWORD(wParam) || entry->code != HIWORD(wParam))) continue;
      // A handler may pump messages, so handlers nest: keep the outer message's flag.
      const bool outerDefault = m_bDefault;
      m_bDefault = false;
      result = entry->handler(this, wParam, lParam);
      const bool handled = !m_bDefault;
      m_bDefault = outerDefault;
      return handled;
    }
  }
  return false;
}
