// deleteme.exe: deletes the file its command line names, once the program running from it has ended.
#include <windows.h>

#include "CommandTail.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // The whole tail is one unquoted path, spaces included.
  const char* path = AfxCommandTail(::GetCommandLineA());
  if (!*path) return 1;
  // The program that started us ends a moment later; until then its file is in use.
  for (int attempt = 0; attempt < 300; ++attempt) {
    if (::DeleteFileA(path)) return 0;
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return 1;
    ::Sleep(100);
  }
  return 1;
}
