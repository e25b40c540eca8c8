// Restoring through the real program: round trips, the passphrase check, crafted cipher files that
// must never write outside the folder restored into, files in the way, and deleteme.
#include <gtest/gtest.h>

#include "SealedFile.h"
#include "SourceTree.h"
#include "Velmora.h"

namespace {

const char kSecret[] = "restore me, please";

std::string ProgramBytes() { return ReadWholeFile(VelmoraPath()); }

SealedEntry Folder(const std::string& name) {
  SealedEntry entry;
  entry.name = name;
  entry.attributes = FILE_ATTRIBUTE_DIRECTORY;
  return entry;
}

SealedEntry File(const std::string& name, const std::string& content) {
  SealedEntry entry;
  entry.name = name;
  entry.attributes = FILE_ATTRIBUTE_ARCHIVE;
  entry.content = content;
  return entry;
}

// Writes the crafted cipher file beside (not inside) the restore folder and returns its path.
std::string PlaceCipherFile(const std::string& scratch, const std::string& bytes) {
  const std::string path = JoinPath(scratch, "crafted.exe");
  WriteWholeFile(path, bytes);
  return path;
}

// The names of everything under the folder, relative to it.
std::vector<std::string> ListAll(const std::string& folder) {
  std::vector<std::string> names;
  for (const std::string& path : ListBreadthFirst(folder)) names.push_back(path.substr(folder.size() + 1));
  return names;
}

// Runs the cipher file in the folder with the passphrase and expects exactly these boxes, in order.
void RestoreExpectingBoxes(const std::string& cipherFile, const std::string& folder, const std::string& passphrase,
                           const std::vector<std::pair<std::string, std::string>>& boxes, bool deleteBox = false) {
  CVelmora velmora("", folder, cipherFile);
  velmora.Start(passphrase, deleteBox);
  for (const auto& expected : boxes) {
    CMessageBoxDriver box = WaitForMessageBox(velmora.Process().GetProcessId(), 60000);
    EXPECT_EQ(FormatHex(box.GetText()), FormatHex(expected.first)) << ConvertAcpToUtf8(box.GetText());
    EXPECT_EQ(FormatHex(box.GetCaption()), FormatHex(expected.second)) << ConvertAcpToUtf8(box.GetCaption());
    box.PressButton(IDOK);
    box.WaitForClose();
  }
  velmora.ExpectQuietEnd();
}

const char kBox013[] = "ファイルの読み込みに失敗しました。暗号化されているファイルに異常があるかもしれません。もう一度試してみてください。013";
const char kBox014[] = "ファイルの読み込みに失敗しました。暗号化されているファイルに異常があるかもしれません。もう一度試してみてください。014";
const char kBox001[] = "ファイル読み込みエラー。暗号化されているファイルが壊れている可能性があります。もう一度試みてみてください。 001";
const char kBox004[] = "ファイルが作成できません。ディスクの空きスペースが不足していないか。ディスクが書き込み禁止でないか確認してください。 004";
const char kBox010[] = "ファイルのオープンに失敗しました。ファイルが存在するか。ファイルをアクセスする権限があるかどうか確認してください。010";

}  // namespace

TEST(Restore, RoundTripsKeepNamesContentsAttributesAndTimes) {
  const std::string scratch = MakeScratchFolder("restore\\round-trip");
  const std::string sources = JoinPath(scratch, "sources");
  CreateDirectoryA(sources.c_str(), nullptr);
  MakeTree(sources, MixedTree("tree"));
  MakeTree(sources, {{"single.txt", "one file"}, {"empty\\", ""}, {"表ソ\\", ""}, {"表ソ\\予定表.txt", "予定"}});
  // Dot-named items are never sealed, so they are not expected back.
  DeleteTree(JoinPath(sources, "tree\\.cache"));
  DeleteFileA(JoinPath(sources, "tree\\.profile").c_str());
  for (const char* name : {"tree", "single.txt", "empty", "表ソ"}) {
    SCOPED_TRACE(name);
    const std::string source = JoinPath(sources, name);
    SealQuietly(source, kSecret);
    const std::string target = MakeScratchFolder(std::string("restore\\round-trip\\into\\") + name);
    RestoreQuietly(source + ".EXE", target, kSecret);
    const std::string restored = JoinPath(target, name);
    if (FindData(source).dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      // Folders too: their times are set once their contents are in place.
      TreeComparison comparison;
      comparison.bFolderTimes = true;
      for (const std::string& difference : CompareTrees(source, restored, comparison)) ADD_FAILURE() << difference;
    } else {
      EXPECT_EQ(ReadWholeFile(restored), ReadWholeFile(source));
      const WIN32_FIND_DATAA restoredData = FindData(restored), sourceData = FindData(source);
      EXPECT_EQ(CompareFileTime(&restoredData.ftLastWriteTime, &sourceData.ftLastWriteTime), 0);
      EXPECT_EQ(restoredData.dwFileAttributes, sourceData.dwFileAttributes);
    }
  }
}

TEST(Restore, ReplacesExistingFilesAndReusesExistingFolders) {
  const std::string scratch = MakeScratchFolder("restore\\existing");
  const std::string cipherFile = PlaceCipherFile(
      scratch, WriteSealedFile(ProgramBytes(), kSecret,
                               {Folder("C:\\Work\\Plans"), File("C:\\Work\\Plans\\a.txt", "new a"),
                                Folder("C:\\Work\\Plans\\Sub"), File("C:\\Work\\Plans\\Sub\\b.txt", "new b")}));
  const std::string target = MakeScratchFolder("restore\\existing\\into");
  MakeTree(target, {{"Plans\\", ""}, {"Plans\\a.txt", "an old, longer text"}, {"Plans\\keep.txt", "kept"},
                    {"Plans\\Sub\\", ""}});
  RestoreQuietly(cipherFile, target, kSecret);
  EXPECT_EQ(ReadWholeFile(JoinPath(target, "Plans\\a.txt")), "new a");
  EXPECT_EQ(ReadWholeFile(JoinPath(target, "Plans\\Sub\\b.txt")), "new b");
  EXPECT_EQ(ReadWholeFile(JoinPath(target, "Plans\\keep.txt")), "kept");
}

TEST(Restore, PassphraseCheck) {
  const std::string scratch = MakeScratchFolder("restore\\passphrase");
  const std::string sealedWith = "Twenty-two characters!and more";
  const std::string cipherFile =
      PlaceCipherFile(scratch, WriteSealedFile(ProgramBytes(), sealedWith, {File("C:\\Work\\p.txt", "secret")}));
  struct Case {
    std::string typed;
    bool right;
  };
  const Case cases[] = {
      {"  \t" + sealedWith + "  ", true},
      {"twenty-two characters!and more", false},     // one letter in the other case
      {"Twenty-two characters!and less", false},     // same first 22 characters, so the same key
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    const std::string target = MakeScratchFolder("restore\\passphrase\\" + std::to_string(i));
    if (cases[i].right) {
      RestoreQuietly(cipherFile, target, cases[i].typed);
      EXPECT_EQ(ReadWholeFile(JoinPath(target, "p.txt")), "secret") << "case " << i;
    } else {
      CVelmora velmora("", target, cipherFile);
      velmora.Start(cases[i].typed);
      CMessageBoxDriver box = WaitForMessageBox(velmora.Process().GetProcessId());
      EXPECT_EQ(FormatHex(box.GetText()), FormatHex(kWrongPassphrase)) << "case " << i;
      EXPECT_EQ(FormatHex(box.GetCaption()), FormatHex("エラー")) << "case " << i;
      EXPECT_EQ(box.GetIcon(), MessageBoxIcon::Stop) << "case " << i;
      box.PressButton(IDOK);
      velmora.ExpectQuietEnd();
      EXPECT_TRUE(ListAll(target).empty()) << "case " << i;
    }
  }
}

TEST(Restore, StoredPassphraseLengthOutsideItsRangeIsAWrongPassphrase) {
  const std::string scratch = MakeScratchFolder("restore\\stored-length");
  struct Case {
    int32_t textSize;
    bool restores;
  };
  // The text is the passphrase padded with zeros to 1024 bytes whatever P says, so P = 1024 matches.
  const Case cases[] = {{7, false}, {8, false}, {1024, true}, {1025, false}, {-8, false}};
  const std::string passphrase = "padded passphrase";
  for (size_t i = 0; i < std::size(cases); ++i) {
    CraftOptions options;
    options.overrideTextSize = true;
    options.textSize = cases[i].textSize;
    // Stored as 1023 bytes, the passphrase and its zeros fill a text of 1024 bytes; the key is the same.
    const std::string stored = passphrase + std::string(1023 - passphrase.size(), '\0');
    const std::string bytes = WriteSealedFile(ProgramBytes(), stored, {File("C:\\w\\ok.txt", "ok")}, options);
    const std::string cipherFile = PlaceCipherFile(scratch, bytes);
    const std::string target = MakeScratchFolder("restore\\stored-length\\" + std::to_string(i));
    if (cases[i].restores) {
      RestoreQuietly(cipherFile, target, passphrase);
      EXPECT_EQ(ReadWholeFile(JoinPath(target, "ok.txt")), "ok") << "case " << i;
    } else {
      RestoreExpectingBoxes(cipherFile, target, passphrase, {{kWrongPassphrase, "エラー"}});
      EXPECT_TRUE(ListAll(target).empty()) << "case " << i;
    }
  }
}

TEST(Restore, CipherFileGoneAfterStartUpShowsBoxes010ThenWrongPassphrase) {
  const std::string scratch = MakeScratchFolder("restore\\gone");
  const std::string cipherFile =
      PlaceCipherFile(scratch, WriteSealedFile(ProgramBytes(), kSecret, {File("C:\\w\\g.txt", "g")}));
  CVelmora velmora("", scratch, cipherFile);
  velmora.Dialog();
  ASSERT_TRUE(MoveFileA(cipherFile.c_str(), (cipherFile + ".moved").c_str()));
  velmora.Start(kSecret);
  CMessageBoxDriver first = WaitForMessageBox(velmora.Process().GetProcessId());
  EXPECT_EQ(FormatHex(first.GetText()), FormatHex(kBox010));
  EXPECT_EQ(FormatHex(first.GetCaption()), FormatHex(cipherFile));
  first.PressButton(IDOK);
  first.WaitForClose();
  CMessageBoxDriver second = WaitForMessageBox(velmora.Process().GetProcessId());
  EXPECT_EQ(FormatHex(second.GetText()), FormatHex(kWrongPassphrase));
  second.PressButton(IDOK);
  velmora.ExpectQuietEnd();
  EXPECT_FALSE(FileExists(JoinPath(scratch, "g.txt")));
}

// Damaged and hostile cipher files: each stops with its box, and nothing appears outside the folder restored into.
TEST(Restore, CraftedCipherFilesNeverWriteOutsideTheRestoreFolder) {
  const std::string scratch = MakeScratchFolder("restore\\crafted");
  struct Case {
    const char* what;
    std::vector<SealedEntry> entries;
    CraftOptions options;
    const char* box;
    std::vector<std::string> restored;  // what the restore folder holds afterwards
  };
  auto cut = [](size_t keep) { CraftOptions o; o.cutPayloadAt = keep; return o; };
  SealedEntry zeroName = File("C:\\w\\a.txt", "a");
  zeroName.nameLength = 0x7FFFFFFF;
  SealedEntry longName = File("C:\\w\\a.txt", "a");
  longName.nameLength = 1025;
  SealedEntry negative = File("C:\\w\\a.txt", "");
  negative.sizeHigh = 0x80000000u;
  const size_t keyRecord = 8 + 8 + 24;  // lead block, length block, text of kSecret
  Case cases[] = {
      {"absolute root", {File("C:\\w\\", "x")}, {}, kBox013, {}},
      {"root with a drive", {Folder("C:\\w\\D:"), File("C:\\w\\D:\\x.txt", "x")}, {}, kBox013, {}},
      {"dot-dot", {Folder("C:\\w\\R"), File("C:\\w\\R\\..\\..\\escaped.txt", "x")}, {}, kBox013, {"R"}},
      {"dot", {Folder("C:\\w\\R"), File("C:\\w\\R\\.\\x.txt", "x")}, {}, kBox013, {"R"}},
      {"empty component", {Folder("C:\\w\\R"), File("C:\\w\\R\\\\x.txt", "x")}, {}, kBox013, {"R"}},
      {"outside the root", {Folder("C:\\w\\R"), File("C:\\w\\S\\x.txt", "x")}, {}, kBox013, {"R"}},
      {"prefix but not inside", {Folder("C:\\w\\R"), File("C:\\w\\RX\\x.txt", "x")}, {}, kBox013, {"R"}},
      {"below a file root", {File("C:\\w\\R", "r"), File("C:\\w\\R\\x.txt", "x")}, {}, kBox013, {"R"}},
      {"device", {Folder("C:\\w\\R"), File("C:\\w\\R\\NUL.txt", "x")}, {}, kBox013, {"R"}},
      {"device root", {File("C:\\w\\com1", "x")}, {}, kBox013, {}},
      {"forward slash", {Folder("C:\\w\\R"), File("C:\\w\\R\\a/../../x.txt", "x")}, {}, kBox013, {"R"}},
      {"short name", {Folder("C:\\w\\R"), zeroName}, {}, kBox013, {"R"}},
      {"name length 1025", {Folder("C:\\w\\R"), longName}, {}, kBox013, {"R"}},
      {"negative length", {Folder("C:\\w\\R"), negative}, {}, kBox013, {"R"}},
      {"no entry record", {}, {}, kBox013, {}},
      {"header cut short", {File("C:\\w\\a.txt", "a")}, cut(keyRecord + 40), kBox013, {}},
      {"name cut short", {File("C:\\w\\a.txt", "a")}, cut(keyRecord + 48), kBox014, {}},
      {"content cut short", {File("C:\\w\\a.txt", std::string(30000, 'c'))}, cut(keyRecord + 64 + 16000), kBox001,
       {"a.txt"}},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(cases[i].what);
    const std::string cipherFile =
        PlaceCipherFile(scratch, WriteSealedFile(ProgramBytes(), kSecret, cases[i].entries, cases[i].options));
    const std::string parent = MakeScratchFolder("restore\\crafted\\" + std::to_string(i));
    const std::string target = JoinPath(parent, "into");
    CreateDirectoryA(target.c_str(), nullptr);
    RestoreExpectingBoxes(cipherFile, target, kSecret, {{cases[i].box, "crafted"}});
    EXPECT_EQ(ListAll(parent).size(), 1 + ListAll(target).size()) << "something was written beside the restore folder";
    EXPECT_EQ(ListAll(target), cases[i].restored);
    if (std::string(cases[i].what) == "content cut short") {
      EXPECT_EQ(ReadWholeFile(JoinPath(target, "a.txt")), std::string(10000, 'c')) << "only whole units are written";
    }
  }
  EXPECT_FALSE(FileExists(JoinPath(GetScratchRoot(), "escaped.txt")));
  EXPECT_FALSE(FileExists("C:\\w"));
}

TEST(Restore, ReadOnlyFileInTheWayStopsTheRestoreThere) {
  const std::string scratch = MakeScratchFolder("restore\\read-only");
  const std::string cipherFile = PlaceCipherFile(
      scratch, WriteSealedFile(ProgramBytes(), kSecret,
                               {Folder("C:\\w\\R"), File("C:\\w\\R\\a.txt", "a"), File("C:\\w\\R\\b.txt", "b"),
                                File("C:\\w\\R\\c.txt", "c")}));
  const std::string target = MakeScratchFolder("restore\\read-only\\into");
  MakeTree(target, {{"R\\", ""}, {"R\\b.txt", "old b", FILE_ATTRIBUTE_READONLY}});
  RestoreExpectingBoxes(cipherFile, target, kSecret, {{kBox004, "R\\b.txt"}});
  EXPECT_EQ(ReadWholeFile(JoinPath(target, "R\\a.txt")), "a");
  EXPECT_EQ(ReadWholeFile(JoinPath(target, "R\\b.txt")), "old b");
  EXPECT_FALSE(FileExists(JoinPath(target, "R\\c.txt")));
}

TEST(Restore, ProgressShowsTheShareOfTheFileRead) {
  // A stored P out of range stops the check right after the length block: the bar then shows
  // (stub + marker + 16) * 100 / length.
  const std::string scratch = MakeScratchFolder("restore\\progress");
  CraftOptions options;
  options.overrideTextSize = true;
  options.textSize = 4096;
  const std::string bytes = WriteSealedFile(ProgramBytes(), kSecret, {File("C:\\w\\big.bin", std::string(2000000, 'b'))}, options);
  const std::string cipherFile = PlaceCipherFile(scratch, bytes);
  CVelmora velmora("", scratch, cipherFile);
  velmora.Start(kSecret);
  CMessageBoxDriver box = WaitForMessageBox(velmora.Process().GetProcessId());
  const uint64_t read = ProgramBytes().size() + 50 + 16;
  EXPECT_EQ(velmora.Dialog().GetProgressPosition(kProgress), static_cast<int>(read * 100 / bytes.size()));
  box.PressButton(IDOK);
  velmora.ExpectQuietEnd();
}

TEST(Restore, DeletemeRemovesTheCipherFileOnlyAfterASuccessWithTheBoxTicked) {
  const std::string scratch = MakeScratchFolder("restore\\deleteme");
  const std::string bytes = WriteSealedFile(ProgramBytes(), kSecret, {File("C:\\w\\d.txt", "d")});
  {
    // Without deleteme.exe in the Windows directory the box is greyed.
    DeleteFileA(CInstalledDeleteme::InstalledPath().c_str());
    const std::string cipherFile = PlaceCipherFile(scratch, bytes);
    CVelmora velmora("", scratch, cipherFile);
    EXPECT_FALSE(velmora.Dialog().IsEnabled(kDeleteCheck));
    velmora.Dialog().Click(kAbort);
    EXPECT_TRUE(velmora.Process().WaitForExit());
  }
  CInstalledDeleteme deleteme;
  struct Case {
    const char* what;
    const char* passphrase;
    bool tick;
    bool gone;
  };
  const Case cases[] = {
      {"success, ticked", kSecret, true, true},
      {"success, unticked", kSecret, false, false},
      {"wrong passphrase, ticked", "not the passphrase", true, false},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(cases[i].what);
    const std::string folder = MakeScratchFolder("restore\\deleteme\\" + std::to_string(i));
    const std::string cipherFile = JoinPath(folder, "sealed file.EXE");
    WriteWholeFile(cipherFile, bytes);
    CVelmora velmora("", folder, cipherFile);
    EXPECT_TRUE(velmora.Dialog().IsEnabled(kDeleteCheck));
    EXPECT_EQ(velmora.Dialog().GetCheck(kDeleteCheck), static_cast<UINT>(BST_UNCHECKED));
    velmora.Start(cases[i].passphrase, cases[i].tick);
    if (std::string(cases[i].passphrase) != kSecret) {
      CMessageBoxDriver box = WaitForMessageBox(velmora.Process().GetProcessId());
      box.PressButton(IDOK);
    }
    velmora.ExpectQuietEnd();
    if (cases[i].gone) {
      EXPECT_TRUE(WaitUntil([&] { return !FileExists(cipherFile); }, 15000));
    } else {
      Sleep(1500);
      EXPECT_TRUE(FileExists(cipherFile));
    }
  }
  // A failure during the restore keeps the cipher file too.
  const std::string folder = MakeScratchFolder("restore\\deleteme\\failure");
  const std::string cipherFile = JoinPath(folder, "damaged.EXE");
  CraftOptions cutShort;
  cutShort.cutPayloadAt = 8 + 8 + 24 + 40;
  WriteWholeFile(cipherFile, WriteSealedFile(ProgramBytes(), kSecret, {File("C:\\w\\d.txt", "d")}, cutShort));
  RestoreExpectingBoxes(cipherFile, folder, kSecret, {{kBox013, "damaged"}}, true);
  Sleep(1500);
  EXPECT_TRUE(FileExists(cipherFile));
}
