// Progress bar and message pump of a run, paced for a window system where every paint and every empty
// look at the queue costs a round trip: at most one of each per PACE_MS, and nothing a user sees is lost.
#include "VelmoraDlg.h"
#include "resource.h"

namespace {

// 10 ms: the bar still moves and the window still answers up to 100 times a second.
constexpr DWORD kPaceMs = 10;

}  // namespace

void CVelmoraDlg::SetProgress(int position) {
  m_nProgressWanted = position;
  if (position != m_nProgressShown && ::GetTickCount() - m_dwProgressTick >= kPaceMs) FlushProgress();
}

void CVelmoraDlg::FlushProgress() {
  if (m_nProgressWanted == m_nProgressShown) return;
  // The progress control paints at once on every change, so only the latest position goes out.
  GetDlgItem(IDC_PROGRESS)->SendMessage(PBM_SETPOS, static_cast<WPARAM>(m_nProgressWanted), 0);
  m_nProgressShown = m_nProgressWanted;
  m_dwProgressTick = ::GetTickCount();
}

int CVelmoraDlg::MessageBox(const char* text, const char* caption, UINT type) {
  FlushProgress();  // a box stops the run: show where it stopped
  return CDialog::MessageBox(text, caption, type);
}

void CVelmoraDlg::PumpMessages() {
  const DWORD now = ::GetTickCount();
  if (now - m_dwPumpTick < kPaceMs) return;
  FlushProgress();
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (!IsDialogMessage(&msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
  }
  m_dwPumpTick = ::GetTickCount();
}
