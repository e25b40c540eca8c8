// The demo: seals a sample folder through the real dialog, restores the cipher file in a fresh folder
// (first with a wrong passphrase, then the right one), compares the result, and takes screenshots.
//   velmora_demo <sample folder> <restore folder> <screenshot folder>
#include <cstdio>
#include <string>

#include "UiDriver.h"

namespace {

constexpr int kDescription = 1000;
constexpr int kPassphraseEdit = 1002;
constexpr int kProgress = 1003;
constexpr int kStart = 1006;
const char kMainCaption[] = "Velmora　Rel. 1.05";
const char kPassphrase[] = "デモ用のパスフレーズ demo";

void Say(const std::string& text) { std::printf("demo: %s\n", ConvertAcpToUtf8(text).c_str()); }

CDialogDriver OpenDialog(CTestProcess& process, const std::string& program, const std::string& tail,
                         const std::string& folder) {
  process.Start("\"" + program + "\"" + (tail.empty() ? "" : " \"" + tail + "\""), folder);
  return CDialogDriver(WaitForDialog(process.GetProcessId(), kMainCaption, 60000));
}

void Seal(const std::string& sample, const std::string& screens) {
  CTestProcess process;
  CDialogDriver dialog = OpenDialog(process, JoinPath(GetBinFolder(), "velmora.exe"), sample, GetParentFolder(sample));
  Say("the dialog describes the job: " + dialog.GetText(kDescription));
  dialog.SaveScreenshot(JoinPath(screens, "1-encrypt-dialog.png"));
  dialog.SetText(kPassphraseEdit, kPassphrase);
  dialog.Click(kStart);
  // The sample holds one large file, so the bar can be caught on its way.
  WaitUntil([&] { return !process.IsRunning() || dialog.GetProgressPosition(kProgress) >= 30; }, 60000, 5);
  if (process.IsRunning()) {
    SavePng(CaptureWindow(dialog.GetHwnd()), JoinPath(screens, "2-sealing-progress.png"));
  }
  if (process.WaitForExitCode(600000) != 0) throw CDriverError("sealing failed");
  Say("sealed into " + sample + ".EXE");
}

void Restore(const std::string& cipherFile, const std::string& folder, const std::string& screens) {
  {
    CTestProcess process;
    CDialogDriver dialog = OpenDialog(process, cipherFile, "", folder);
    dialog.SaveScreenshot(JoinPath(screens, "3-restore-dialog.png"));
    dialog.SetText(kPassphraseEdit, "a wrong passphrase");
    dialog.Click(kStart);
    CMessageBoxDriver box = WaitForMessageBox(process.GetProcessId(), 60000);
    Say("a wrong passphrase shows: " + box.GetText());
    SavePng(CaptureSettledWindow(box.GetHwnd()), JoinPath(screens, "4-wrong-passphrase.png"));
    box.PressButton(IDOK);
    process.WaitForExit(60000);
  }
  CTestProcess process;
  CDialogDriver dialog = OpenDialog(process, cipherFile, "", folder);
  dialog.SetText(kPassphraseEdit, kPassphrase);
  dialog.Click(kStart);
  if (process.WaitForExitCode(600000) != 0) throw CDriverError("restoring failed");
  Say("restored into " + folder);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: velmora_demo <sample folder> <restore folder> <screenshot folder>\n");
    return 2;
  }
  const std::string sample = argv[1], restored = argv[2], screens = argv[3];
  try {
    Seal(sample, screens);
    Restore(sample + ".EXE", restored, screens);
    const std::string name = sample.substr(GetParentFolder(sample).size() + 1);
    const std::vector<std::string> differences = CompareTrees(sample, JoinPath(restored, name));
    for (const std::string& difference : differences) std::printf("demo: differs: %s\n", difference.c_str());
    if (!differences.empty()) return 1;
    Say("the restored tree equals the sample: names, contents, attributes and times");
    return 0;
  } catch (const CDriverError& error) {
    std::fprintf(stderr, "demo: %s\n", error.what());
    return 1;
  }
}
