// Times one seal or restore through the real velmora.exe, driven by its dialog as a person would:
//   velmora_run seal <source> <passphrase>
//   velmora_run restore <cipher file> <folder> <passphrase>
// Prints "<seconds>" from the click on Start to the end of the program; exits 1 on any message box.
//   velmora_run list <folder>
// Prints "<walk seconds> <dialog seconds>": a plain breadth-first walk of the folder with the directory
// searches alone, and the time the program takes to show its dialog for the folder, less its start-up.
#include <algorithm>
#include <cstdio>
#include <deque>
#include <string>

#include "UiDriver.h"

namespace {

constexpr int kPassphraseEdit = 1002;
constexpr int kStart = 1006;
const char kMainCaption[] = "Velmora　Rel. 1.05";

int Run(const std::string& program, const std::string& tail, const std::string& folder, const std::string& passphrase) {
  CTestProcess process;
  process.Start("\"" + program + "\"" + (tail.empty() ? "" : " \"" + tail + "\""), folder);
  CDialogDriver dialog(WaitForDialog(process.GetProcessId(), kMainCaption, 600000));
  dialog.SetText(kPassphraseEdit, passphrase);
  LARGE_INTEGER frequency, started, ended;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&started);
  dialog.Click(kStart);
  // A box means a failure: nothing to time.
  bool boxShown = false;
  WaitUntil([&] {
    for (HWND hWnd : ListDialogs(process.GetProcessId())) boxShown = boxShown || IsMessageBox(hWnd);
    return boxShown || !process.IsRunning();
  }, 3600000, 5);
  QueryPerformanceCounter(&ended);
  if (boxShown) {
    std::fprintf(stderr, "a message box appeared\n");
    return 1;
  }
  std::printf("%.3f\n", double(ended.QuadPart - started.QuadPart) / double(frequency.QuadPart));
  return 0;
}

double Now() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return double(counter.QuadPart) / double(frequency.QuadPart);
}

double SecondsToDialog(const std::string& program, const std::string& tail, const std::string& folder) {
  const double started = Now();
  CTestProcess process;
  process.Start("\"" + program + "\"" + (tail.empty() ? "" : " \"" + tail + "\""), folder);
  CDialogDriver dialog(WaitForDialog(process.GetProcessId(), kMainCaption, 600000));
  const double shown = Now();
  dialog.Click(IDCANCEL);
  process.WaitForExit();
  return shown - started;
}

int List(const std::string& program, const std::string& root) {
  const double started = Now();
  size_t entries = 0;
  std::deque<std::string> folders = {root};
  while (!folders.empty()) {
    const std::string folder = folders.front();
    folders.pop_front();
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA(JoinPath(folder, "*.*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) continue;
    do {
      if (found.cFileName[0] == '.') continue;
      ++entries;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) folders.push_back(JoinPath(folder, found.cFileName));
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  const double walk = Now() - started;
  // Start-up alone varies by some 10 ms: take the best of three of each.
  double startUp = 1e9, withFolder = 1e9;
  for (int i = 0; i < 3; ++i) {
    startUp = std::min(startUp, SecondsToDialog(program, "", GetParentFolder(root)));
    withFolder = std::min(withFolder, SecondsToDialog(program, root, GetParentFolder(root)));
  }
  const double dialog = withFolder - startUp;
  std::printf("%.3f %.3f %zu\n", walk, dialog, entries);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string velmora = JoinPath(GetBinFolder(), "velmora.exe");
  const std::string mode = argc > 1 ? argv[1] : "";
  try {
    if (mode == "seal" && argc == 4) return Run(velmora, argv[2], GetParentFolder(argv[2]), argv[3]);
    if (mode == "restore" && argc == 5) return Run(argv[2], "", argv[3], argv[4]);
    if (mode == "list" && argc == 3) return List(velmora, argv[2]);
  } catch (const CDriverError& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  std::fprintf(stderr, "usage: velmora_run seal <source> <passphrase> | restore <cipher file> <folder> <passphrase> | list <folder>\n");
  return 2;
}
