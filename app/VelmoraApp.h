// CVelmoraApp: the program's whole life, from the command line to the end of the dialog.
#pragma once

#include <cstdint>

#include "Afx.h"

// 1 until the restore-mode dialog finds no deleteme.exe in the Windows directory.
extern int g_bDeletemeFound;

class CVelmoraApp : public CWinApp {
public:
  CVelmoraApp() = default;
  BOOL InitInstance() override;

private:
  // Looks for the payload marker in the program file; FALSE after a reported failure.
  BOOL ScanForMarker(const CString& program, int& found, uint32_t& markerEnd);
};
