// Running velmora.exe for the end-to-end tests.
#include "Velmora.h"

#include <gtest/gtest.h>

const char kMainCaption[] = "Velmora　Rel. 1.05";
const char kAboutCaption[] = "Velmoraについて";
const char kPrompt932[] = "暗号の解読用キーを入力してください";
const char kRestoreDescription[] = "暗号化されたファイルを元のファイルに復元します";
const char kWrongPassphrase[] = "解読用キーが間違っています。解読操作を中止します。";

std::string VelmoraPath() { return JoinPath(GetBinFolder(), "velmora.exe"); }
std::string DeletemePath() { return JoinPath(GetBinFolder(), "deleteme.exe"); }
std::string Quote(const std::string& path) { return "\"" + path + "\""; }

CVelmora::CVelmora(const std::string& tail, const std::string& currentFolder, const std::string& program) {
  m_process.Start(Quote(program) + (tail.empty() ? "" : " " + tail), currentFolder);
}

CDialogDriver& CVelmora::Dialog() {
  if (!m_hDialog) {
    m_hDialog = WaitForDialog(m_process.GetProcessId(), kMainCaption);
    m_dialog = CDialogDriver(m_hDialog);
  }
  return m_dialog;
}

void CVelmora::Start(const std::string& passphrase, bool deleteBox) {
  CDialogDriver& dialog = Dialog();
  dialog.SetText(kPassphraseEdit, passphrase);
  if (deleteBox) dialog.SetCheck(kDeleteCheck, true);
  dialog.Click(kStart);
}

namespace {

HWND ShownMessageBox(DWORD pid) {
  for (HWND hWnd : ListDialogs(pid)) {
    try {
      if (IsMessageBox(hWnd)) return hWnd;
    } catch (const CDriverError&) {
      // The window went away while it was being read: the program is ending.
    }
  }
  return nullptr;
}

}  // namespace

void CVelmora::ExpectQuietEnd() {
  const DWORD pid = m_process.GetProcessId();
  for (;;) {
    ASSERT_TRUE(WaitUntil([&] { return !m_process.IsRunning() || ShownMessageBox(pid); }, 120000))
        << "the program neither ended nor showed a box";
    if (!m_process.IsRunning()) break;
    // A closing dialog may look like a box for a moment; a real one is still there to be read.
    if (HWND box = ShownMessageBox(pid)) {
      std::string text;
      try {
        text = CMessageBoxDriver(box).GetText();
      } catch (const CDriverError&) {
        continue;
      }
      FAIL() << "unexpected message box: " << ConvertAcpToUtf8(text);
    }
  }
  EXPECT_EQ(m_process.WaitForExitCode(60000), 0u);
}

void SealQuietly(const std::string& source, const std::string& passphrase, bool deleteSources) {
  CVelmora velmora(Quote(source), GetParentFolder(source));
  velmora.Start(passphrase, deleteSources);
  velmora.ExpectQuietEnd();
}

void RestoreQuietly(const std::string& cipherFile, const std::string& folder, const std::string& passphrase,
                    bool deleteBox) {
  CVelmora velmora("", folder, cipherFile);
  velmora.Start(passphrase, deleteBox);
  velmora.ExpectQuietEnd();
}

std::string CInstalledDeleteme::InstalledPath() {
  char windows[MAX_PATH] = "";
  GetWindowsDirectoryA(windows, MAX_PATH);
  return JoinPath(windows, "deleteme.exe");
}

CInstalledDeleteme::CInstalledDeleteme() {
  if (!CopyFileA(DeletemePath().c_str(), InstalledPath().c_str(), FALSE)) throw CDriverError("cannot install deleteme.exe");
}

CInstalledDeleteme::~CInstalledDeleteme() { DeleteFileA(InstalledPath().c_str()); }

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string ScreenshotPath(const std::string& name) {
  const std::string folder = JoinPath(GetBuildFolder(), "screenshots");
  CreateDirectoryA(folder.c_str(), nullptr);
  return JoinPath(folder, name);
}
