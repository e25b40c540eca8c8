// Running the real velmora.exe for a test: start it, find its dialog, seal and restore through it.
#pragma once

#include <string>

#include "UiDriver.h"

// Control ids of the main dialog and the About box, as a person sees them.
enum VelmoraControl {
  kDescription = 1000,
  kPrompt = 1001,
  kPassphraseEdit = 1002,
  kProgress = 1003,
  kDeleteCheck = 1004,
  kArgument = 1005,
  kStart = 1006,
  kAbort = IDCANCEL,
};
constexpr WPARAM kAboutCommand = 16;

extern const char kMainCaption[];
extern const char kAboutCaption[];
extern const char kPrompt932[];
extern const char kRestoreDescription[];
extern const char kWrongPassphrase[];

std::string VelmoraPath();
std::string DeletemePath();
std::string Quote(const std::string& path);

// velmora.exe (or a copy of it) started with a command-line tail in a folder; killed if the test leaves it running.
class CVelmora {
public:
  CVelmora(const std::string& tail, const std::string& currentFolder, const std::string& program = VelmoraPath());
  CTestProcess& Process() { return m_process; }
  // The main dialog; waits for it the first time.
  CDialogDriver& Dialog();
  // Types the passphrase, sets the delete box and presses Start.
  void Start(const std::string& passphrase, bool deleteBox = false);
  // The process ends without a message box.
  void ExpectQuietEnd();

private:
  CTestProcess m_process;
  HWND m_hDialog = nullptr;
  CDialogDriver m_dialog{nullptr};
};

// Seals the source through the dialog and waits for the program to end; no message box may appear.
void SealQuietly(const std::string& source, const std::string& passphrase, bool deleteSources = false);

// Runs the cipher file in the folder, restores through the dialog, and waits for the end; no box may appear.
void RestoreQuietly(const std::string& cipherFile, const std::string& folder, const std::string& passphrase,
                    bool deleteBox = false);

// Copies deleteme.exe into the Windows directory for as long as the object lives.
class CInstalledDeleteme {
public:
  CInstalledDeleteme();
  ~CInstalledDeleteme();
  static std::string InstalledPath();
};

bool FileExists(const std::string& path);

// <build>\screenshots\<name>, the folder made if missing.
std::string ScreenshotPath(const std::string& name);
