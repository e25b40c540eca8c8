// Start-up through the real program: splitting the command line into instances, finding the payload marker,
// the dialog's controls, the ways to close it, and the About box.
#include <gtest/gtest.h>

#include <algorithm>

#include "SealedFile.h"
#include "Velmora.h"

namespace {

// Every main dialog on the screen, by the argument it holds; each one is then closed.
std::vector<std::string> CollectArgumentsAndClose(size_t expectedDialogs) {
  std::vector<HWND> dialogs;
  WaitUntil([&] {
    dialogs = FindDialogsByCaption(kMainCaption);
    return dialogs.size() >= expectedDialogs;
  });
  Sleep(500);  // a stray extra instance would show up by now
  dialogs = FindDialogsByCaption(kMainCaption);
  std::vector<std::string> arguments;
  std::vector<CTestProcess> processes(dialogs.size());
  for (size_t i = 0; i < dialogs.size(); ++i) {
    CDialogDriver dialog(dialogs[i]);
    arguments.push_back(dialog.GetText(kArgument));
    processes[i].Attach(dialog.GetProcessId());
    dialog.Click(kAbort);
  }
  for (CTestProcess& process : processes) EXPECT_TRUE(process.WaitForExit());
  std::sort(arguments.begin(), arguments.end());
  return arguments;
}

std::string CopyOfProgram(const std::string& folder, const std::string& name, size_t padding, bool marker,
                          const std::string& payloadFileText = std::string()) {
  std::string bytes = ReadWholeFile(VelmoraPath());
  bytes.append(padding, '\0');
  if (marker) {
    SealedEntry entry;
    entry.name = "Z:\\sealed\\m.txt";
    entry.attributes = FILE_ATTRIBUTE_ARCHIVE;
    entry.content = payloadFileText;
    bytes = WriteSealedFile(bytes, "marker passphrase", {entry});
  }
  const std::string path = JoinPath(folder, name);
  WriteWholeFile(path, bytes);
  return path;
}

}  // namespace

TEST(CommandLine, EachPathGetsAnInstanceOfItsOwn) {
  struct Case {
    const char* tail;
    std::vector<std::string> arguments;  // sorted
  };
  const Case cases[] = {
      {"", {""}},
      {"Z:\\none\\a", {"Z:\\none\\a"}},
      {"Z:\\none\\a Z:\\none\\b Z:\\none\\c", {"Z:\\none\\a", "Z:\\none\\b", "Z:\\none\\c"}},
      {"Z:\\none\\a ", {"", "Z:\\none\\a"}},
      {"Z:\\none\\a  Z:\\none\\b", {"Z:\\none\\a", "Z:\\none\\b"}},
      {"\"Z:\\none\\with space\\f.txt\"", {"Z:\\none\\with space\\f.txt"}},
      {"\"Z:\\none\\with space\\f.txt\" Z:\\none\\b", {"Z:\\none\\b", "Z:\\none\\with space\\f.txt"}},
      {"Z:\\none\\表示 Z:\\none\\ソフト", {"Z:\\none\\ソフト", "Z:\\none\\表示"}},
  };
  const std::string folder = MakeScratchFolder("startup\\command-line");
  for (size_t i = 0; i < std::size(cases); ++i) {
    CVelmora velmora(cases[i].tail, folder);
    const std::vector<std::string> arguments = CollectArgumentsAndClose(cases[i].arguments.size());
    ASSERT_EQ(arguments.size(), cases[i].arguments.size()) << "case " << i;
    for (size_t j = 0; j < arguments.size(); ++j) {
      EXPECT_EQ(FormatHex(arguments[j]), FormatHex(cases[i].arguments[j])) << "case " << i << " argument " << j;
    }
  }
}

TEST(MarkerScan, FindsTheMarkerWhereverTheUnitsFallAndRestoresFromIt) {
  const size_t programLength = ReadWholeFile(VelmoraPath()).size();
  const size_t toUnitEnd = 10000 - programLength % 10000;
  struct Case {
    const char* name;
    size_t padding;
    bool marker;
  };
  const Case cases[] = {
      {"plain.exe", 0, false},
      {"sealed.exe", 0, true},
      {"straddling.exe", (toUnitEnd + 10000 - 20) % 10000, true},  // marker across two units
      {"unit-end.exe", (toUnitEnd + 10000 - 50) % 10000, true},    // marker's last byte ends a unit
      {"several.dots.txt.exe", 7, true},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    const std::string folder = MakeScratchFolder(std::string("startup\\marker\\") + cases[i].name);
    const std::string program = CopyOfProgram(folder, cases[i].name, cases[i].padding, cases[i].marker, "found");
    CVelmora velmora("", folder, program);
    CDialogDriver& dialog = velmora.Dialog();
    if (!cases[i].marker) {
      EXPECT_NE(dialog.GetText(kDescription), kRestoreDescription) << "case " << i;
      dialog.Click(kAbort);
      EXPECT_TRUE(velmora.Process().WaitForExit()) << "case " << i;
      continue;
    }
    EXPECT_EQ(FormatHex(dialog.GetText(kDescription)), FormatHex(kRestoreDescription)) << "case " << i;
    velmora.Start("marker passphrase");
    velmora.ExpectQuietEnd();
    EXPECT_EQ(ReadWholeFile(JoinPath(folder, "m.txt")), "found") << "case " << i;
  }
}

TEST(MarkerScan, ProgramFileUnderAnotherExtensionIsNotFound) {
  const std::string folder = MakeScratchFolder("startup\\renamed");
  const std::string program = CopyOfProgram(folder, "velmora.bin", 0, false);
  CVelmora velmora("", folder, program);
  CMessageBoxDriver box = WaitForMessageBox(velmora.Process().GetProcessId());
  EXPECT_EQ(FormatHex(box.GetText()),
            FormatHex("Velmoraのファイルが見つかりません。おそらくファイル名が変更されているのでしょう。あるいは，"
                      "起動したパスが間違っています。もう一度最初からインストールしてください。021"));
  EXPECT_EQ(FormatHex(box.GetCaption()), FormatHex("エラー"));
  EXPECT_EQ(box.GetIcon(), MessageBoxIcon::None);
  EXPECT_TRUE(FindDialogsByCaption(kMainCaption).empty());
  box.PressButton(IDOK);
  EXPECT_EQ(velmora.Process().WaitForExitCode(), 0u);
}

TEST(MainDialog, ControlsTextsPlacesAndTabOrder) {
  const std::string folder = MakeScratchFolder("startup\\dialog");
  CVelmora velmora("", folder);
  CDialogDriver& dialog = velmora.Dialog();
  struct Case {
    int id;
    const char* className;
    const char* text;
    RECT place;  // dialog units: left, top, right, bottom
    bool enabled;
    bool visible;
  };
  const Case cases[] = {
      {kStart, "Button", "開始", {128, 7, 178, 21}, false, true},
      {kAbort, "Button", "中止", {128, 23, 178, 37}, true, true},
      {kDescription, "Static",
       "<<エラー>>\nファイルまたはフォルダーをVelmoraの上にドラッグアンドドロップしてください。", {7, 5, 122, 55}, true, true},
      {kPrompt, "Static", "", {7, 61, 179, 72}, true, true},
      {kPassphraseEdit, "Edit", "", {7, 78, 179, 92}, false, true},
      {kProgress, "msctls_progress32", "", {7, 120, 179, 128}, true, true},
      {kDeleteCheck, "Button", "元のファイルを削除する", {38, 99, 168, 109}, false, true},
      {kArgument, "Static", "", {125, 100, 160, 110}, true, false},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    EXPECT_EQ(dialog.GetClassName(c.id), c.className) << "case " << i;
    EXPECT_EQ(FormatHex(dialog.GetText(c.id)), FormatHex(c.text)) << "case " << i;
    // Pixels back to dialog units may round either way: allow one unit.
    const RECT place = dialog.GetRectInDialogUnits(c.id);
    EXPECT_TRUE(abs(place.left - c.place.left) <= 1 && abs(place.top - c.place.top) <= 1 &&
                abs(place.right - c.place.right) <= 1 && abs(place.bottom - c.place.bottom) <= 1)
        << "case " << i << ": (" << place.left << "," << place.top << ")-(" << place.right << "," << place.bottom << ")";
    EXPECT_EQ(dialog.IsEnabled(c.id), c.enabled) << "case " << i;
    EXPECT_EQ(dialog.IsVisible(c.id), c.visible) << "case " << i;
  }
  EXPECT_EQ(FormatHex(dialog.GetCaption()), FormatHex(kMainCaption));
  EXPECT_EQ(dialog.GetStyle(kStart) & BS_TYPEMASK, static_cast<DWORD>(BS_DEFPUSHBUTTON));
  EXPECT_EQ(dialog.GetStyle(kDeleteCheck) & BS_TYPEMASK, static_cast<DWORD>(BS_AUTOCHECKBOX));
  EXPECT_TRUE(dialog.GetStyle(kPassphraseEdit) & ES_AUTOHSCROLL);
  EXPECT_EQ(dialog.GetTabOrder(), (std::vector<int>{kStart, kAbort, kPassphraseEdit, kDeleteCheck}));
  dialog.Click(kAbort);
  EXPECT_TRUE(velmora.Process().WaitForExit());
}

TEST(MainDialog, SystemMenuOpensTheAboutBox) {
  const std::string folder = MakeScratchFolder("startup\\about");
  CVelmora velmora("", folder);
  CDialogDriver& dialog = velmora.Dialog();
  const std::vector<MenuItemFacts> items = dialog.GetSystemMenuItems();
  ASSERT_GE(items.size(), 2u);
  EXPECT_TRUE(items[items.size() - 2].bSeparator);
  EXPECT_EQ(items.back().nId, kAboutCommand);
  EXPECT_EQ(FormatHex(items.back().text), FormatHex("Velmoraについて ..."));

  dialog.PostSysCommand(kAboutCommand);
  CDialogDriver about(WaitForDialog(velmora.Process().GetProcessId(), kAboutCaption));
  EXPECT_EQ(FormatHex(about.GetText(IDOK)), FormatHex("了解"));
  about.SaveScreenshot(ScreenshotPath("about-box.png"));
  about.Click(IDOK);
  about.WaitForClose();
  EXPECT_TRUE(velmora.Process().IsRunning());
  dialog.Click(kAbort);
  EXPECT_TRUE(velmora.Process().WaitForExit());
}

// Every way to close the dialog before Start clears the delete flag: a restore-mode dialog with its
// box ticked and deleteme.exe installed leaves the cipher file in place.
TEST(MainDialog, ClosingBeforeStartDeletesNothing) {
  CInstalledDeleteme deleteme;
  struct Case {
    const char* name;
    void (*close)(CDialogDriver&);
  };
  const Case cases[] = {
      {"abort", [](CDialogDriver& d) { d.Click(kAbort); }},
      {"escape", [](CDialogDriver& d) { d.PressKey(VK_ESCAPE); }},
      {"close", [](CDialogDriver& d) { d.PostSysCommand(SC_CLOSE); }},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    const std::string folder = MakeScratchFolder(std::string("startup\\close\\") + cases[i].name);
    const std::string program = CopyOfProgram(folder, "sealed.exe", 0, true, "kept");
    CVelmora velmora("", folder, program);
    CDialogDriver& dialog = velmora.Dialog();
    EXPECT_TRUE(dialog.IsEnabled(kDeleteCheck)) << "case " << i;
    dialog.SetCheck(kDeleteCheck, true);
    cases[i].close(dialog);
    EXPECT_EQ(velmora.Process().WaitForExitCode(), 0u) << "case " << i;
    Sleep(1500);  // deleteme would have removed it by now
    EXPECT_TRUE(FileExists(program)) << "case " << i;
    EXPECT_FALSE(FileExists(JoinPath(folder, "m.txt"))) << "case " << i;
  }
}

TEST(MainDialog, Screenshots) {
  const std::string folder = MakeScratchFolder("startup\\screens");
  MakeTree(folder, {{"Plans\\", ""}, {"Plans\\budget.xls", std::string(12345, 'b')}, {"Plans\\2024\\", ""},
                    {"Plans\\2024\\notes.txt", "notes"}});
  {
    CVelmora velmora(Quote(JoinPath(folder, "Plans")), folder);
    velmora.Dialog().SaveScreenshot(ScreenshotPath("encrypt-dialog.png"));
    velmora.Dialog().Click(kAbort);
    EXPECT_TRUE(velmora.Process().WaitForExit());
  }
  {
    const std::string program = CopyOfProgram(folder, "sealed.exe", 0, true, "x");
    CVelmora velmora("", folder, program);
    velmora.Dialog().SaveScreenshot(ScreenshotPath("restore-dialog.png"));
    velmora.Dialog().Click(kAbort);
    EXPECT_TRUE(velmora.Process().WaitForExit());
  }
}
