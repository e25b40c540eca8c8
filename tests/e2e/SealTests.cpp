// Sealing through the real program: the cipher file read back field by field, the description, the
// passphrase rules, deleting the sources, and the failures a user can cause.
#include <gtest/gtest.h>

#include "SealedFile.h"
#include "SourceTree.h"
#include "Velmora.h"

namespace {

const char kSecret[] = "correct horse battery";

// Reads the cipher file of a source back and checks it against the source on disk.
void ExpectSealedFaithfully(const std::string& source, const std::string& passphrase) {
  SealedFile sealed;
  std::string why;
  ASSERT_TRUE(ReadSealedFile(ReadWholeFile(source + ".EXE"), passphrase, sealed, why)) << why;
  EXPECT_TRUE(sealed.stub == ReadWholeFile(VelmoraPath())) << "the stub is not the program file";
  EXPECT_EQ(sealed.passphrase, passphrase);
  EXPECT_EQ(sealed.passphraseTextSize, static_cast<int32_t>((passphrase.size() + 1 + 7) / 8 * 8));
  EXPECT_EQ(sealed.trailingBytes, 0u);

  std::vector<std::string> expected = {source};
  if (FindData(source).dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
    for (const std::string& path : ListBreadthFirst(source)) expected.push_back(path);
  }
  ASSERT_EQ(sealed.entries.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    const SealedEntry& entry = sealed.entries[i];
    const WIN32_FIND_DATAA found = FindData(expected[i]);
    EXPECT_EQ(FormatHex(entry.name), FormatHex(expected[i])) << "entry " << i;
    EXPECT_EQ(entry.attributes, found.dwFileAttributes) << ConvertAcpToUtf8(entry.name);
    EXPECT_EQ(entry.lastWriteTime, (uint64_t(found.ftLastWriteTime.dwHighDateTime) << 32) | found.ftLastWriteTime.dwLowDateTime)
        << ConvertAcpToUtf8(entry.name);
    if (!entry.IsFolder()) {
      EXPECT_EQ(entry.sizeHigh, found.nFileSizeHigh) << ConvertAcpToUtf8(entry.name);
      EXPECT_EQ(entry.sizeLow, found.nFileSizeLow) << ConvertAcpToUtf8(entry.name);
      EXPECT_TRUE(entry.content == ReadWholeFile(expected[i])) << "content of " << ConvertAcpToUtf8(entry.name);
    }
  }
}

// Shows the one box expected, checks it and presses OK.
void ExpectBox(CVelmora& velmora, const std::string& text, const std::string& caption) {
  CMessageBoxDriver box = WaitForMessageBox(velmora.Process().GetProcessId(), 60000);
  EXPECT_EQ(FormatHex(box.GetText()), FormatHex(text)) << ConvertAcpToUtf8(box.GetText());
  EXPECT_EQ(FormatHex(box.GetCaption()), FormatHex(caption));
  EXPECT_EQ(box.GetIcon(), MessageBoxIcon::None);
  box.PressButton(IDOK);
  box.WaitForClose();
}

}  // namespace

TEST(Seal, SourcesReadBackFieldByField) {
  const std::string folder = MakeScratchFolder("seal\\readback");
  MakeTree(folder, MixedTree("tree"));
  MakeTree(folder, {{"single.txt", "one file"}, {"empty\\", ""}, {"zero.bin", ""}});
  for (const char* name : {"tree", "single.txt", "empty", "zero.bin"}) {
    SCOPED_TRACE(name);
    const std::string source = JoinPath(folder, name);
    SealQuietly(source, kSecret);
    ExpectSealedFaithfully(source, kSecret);
  }
}

TEST(Seal, ExistingCipherFileIsReplaced) {
  const std::string folder = MakeScratchFolder("seal\\replace");
  MakeTree(folder, {{"budget.xls", "numbers"}, {"budget.xls.EXE", std::string(3000000, 'o')}});
  SealQuietly(JoinPath(folder, "budget.xls"), kSecret);
  ExpectSealedFaithfully(JoinPath(folder, "budget.xls"), kSecret);
}

TEST(Seal, DescriptionOfTheSource) {
  const std::string folder = MakeScratchFolder("seal\\describe");
  MakeTree(folder, {{"a file.txt", std::string(1234, 'a')},
                    {"Plans\\", ""}, {"Plans\\x.txt", std::string(100, 'x')}, {"Plans\\in\\", ""},
                    {"Plans\\in\\y.txt", std::string(23, 'y')}, {"Empty\\", ""}, {"Long Folder Name\\", ""},
                    {"Long Folder Name\\Long File Name.txt", "12345"}});
  const std::string willConvert = "を暗号に変換します。\n";
  const std::string isFolder = "指定されているのはフォルダです。内容を暗号化し一つのファイルを作成します。";
  const std::string notFound = "<<エラー>>\nファイルまたはフォルダーが見つかりません。処理を中止します。";
  const std::string wildcard = "<<エラー>>\nファイル名の中にワイルドカードが発見されました。処理を中止します。";
  char shortName[MAX_PATH] = "";
  GetShortPathNameA(JoinPath(folder, "Long Folder Name\\Long File Name.txt").c_str(), shortName, MAX_PATH);
  struct Case {
    std::string argument;
    std::string description;
    bool usable;
  };
  const Case cases[] = {
      {Quote(JoinPath(folder, "a file.txt")), JoinPath(folder, "a file.txt") + willConvert + "元のファイルの長さ1234バイト。", true},
      {JoinPath(folder, "Plans"), JoinPath(folder, "Plans") + willConvert + isFolder + "元のファイルの長さ123バイト。", true},
      {JoinPath(folder, "Empty"), JoinPath(folder, "Empty") + willConvert + isFolder + "元のファイルの長さ0バイト。", true},
      {shortName, JoinPath(folder, "Long Folder Name\\Long File Name.txt") + willConvert + "元のファイルの長さ5バイト。", true},
      {"Plans", JoinPath(folder, "Plans") + willConvert + isFolder + "元のファイルの長さ123バイト。", true},  // relative
      {JoinPath(folder, "*.txt"), wildcard, false},
      {JoinPath(folder, "Plan?"), wildcard, false},
      {JoinPath(folder, "missing.txt"), notFound, false},
      {JoinPath(folder, "Plans") + "\\", notFound, false},
      {"Z:\\", notFound, false},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    CVelmora velmora(cases[i].argument, folder);
    CDialogDriver& dialog = velmora.Dialog();
    EXPECT_EQ(FormatHex(dialog.GetText(kDescription)), FormatHex(cases[i].description))
        << "case " << i << ": " << ConvertAcpToUtf8(dialog.GetText(kDescription));
    EXPECT_EQ(dialog.IsEnabled(kStart), cases[i].usable) << "case " << i;
    EXPECT_EQ(dialog.IsEnabled(kPassphraseEdit), cases[i].usable) << "case " << i;
    EXPECT_EQ(dialog.IsEnabled(kDeleteCheck), cases[i].usable) << "case " << i;
    EXPECT_TRUE(dialog.IsEnabled(kAbort)) << "case " << i;
    if (!cases[i].usable) {
      const std::string& shown = cases[i].argument;
      EXPECT_EQ(FormatHex(dialog.GetText(kPrompt)), FormatHex(shown)) << "case " << i;
    }
    dialog.Click(kAbort);
    EXPECT_TRUE(velmora.Process().WaitForExit()) << "case " << i;
  }
}

TEST(Seal, PassphraseLengthRules) {
  const std::string folder = MakeScratchFolder("seal\\passphrase");
  MakeTree(folder, {{"p.txt", "protected"}});
  const std::string source = JoinPath(folder, "p.txt");
  const std::string tooShort = "解読用キーは10文字以上でなければなりません。";
  const std::string tooLong = "解読用キーが長すぎます。1023バイト以下にしてください。";
  struct Case {
    std::string typed;
    const char* refusal;  // null: accepted
  };
  const Case cases[] = {
      {"", tooShort.c_str()},
      {"  123456789\t ", tooShort.c_str()},
      {"  1234567890  ", nullptr},
      {"あいうえおかきくけ", tooShort.c_str()},   // 9 characters, 18 bytes
      {"あいうえおかきくけこ", nullptr},          // 10 characters
      {std::string(1024, 'k'), tooLong.c_str()},
      {std::string(1023, 'k'), nullptr},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    DeleteFileA((source + ".EXE").c_str());
    CVelmora velmora(Quote(source), folder);
    velmora.Start(cases[i].typed);
    if (cases[i].refusal) {
      CMessageBoxDriver box = WaitForMessageBox(velmora.Process().GetProcessId());
      EXPECT_EQ(FormatHex(box.GetText()), FormatHex(cases[i].refusal)) << "case " << i;
      EXPECT_EQ(box.GetCaption(), "ERROR") << "case " << i;
      EXPECT_EQ(velmora.Dialog().GetText(kPassphraseEdit), "xxxxxxxx") << "case " << i;
      box.PressButton(IDOK);
      EXPECT_EQ(velmora.Process().WaitForExitCode(), 0u) << "case " << i;
      EXPECT_FALSE(FileExists(source + ".EXE")) << "case " << i;
    } else {
      velmora.ExpectQuietEnd();
      std::string trimmed = cases[i].typed;
      trimmed.erase(0, trimmed.find_first_not_of(" \t"));
      trimmed.erase(trimmed.find_last_not_of(" \t") + 1);
      ExpectSealedFaithfully(source, trimmed);
    }
  }
}

TEST(Seal, DeletesTheSourcesOnlyWhenAllWentWell) {
  const std::string folder = MakeScratchFolder("seal\\delete");
  MakeTree(folder, MixedTree("tree"));
  MakeTree(folder, {{"locked.txt", "read only", FILE_ATTRIBUTE_READONLY}, {"plain.txt", "plain"}});
  const std::string tree = JoinPath(folder, "tree");
  // Dot-named items are not sealed, so they would keep the folder alive: take them out first.
  DeleteTree(JoinPath(tree, ".cache"));
  SetFileAttributesA(JoinPath(tree, ".profile").c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(JoinPath(tree, ".profile").c_str());

  SealQuietly(tree, kSecret, true);
  EXPECT_FALSE(FileExists(tree)) << "the folder and everything in it, read-only and hidden files included, is gone";
  EXPECT_TRUE(FileExists(tree + ".EXE"));

  SealQuietly(JoinPath(folder, "plain.txt"), kSecret, true);
  EXPECT_FALSE(FileExists(JoinPath(folder, "plain.txt")));

  SealQuietly(JoinPath(folder, "locked.txt"), kSecret, true);
  EXPECT_TRUE(FileExists(JoinPath(folder, "locked.txt"))) << "a read-only single file stays";
  EXPECT_TRUE(FileExists(JoinPath(folder, "locked.txt.EXE")));
}

TEST(Seal, FileInUseFailsTheRunKeepsTheSourcesAndRemovesTheCipherFile) {
  const std::string folder = MakeScratchFolder("seal\\in-use");
  MakeTree(folder, {{"docs\\", ""}, {"docs\\a.txt", "alpha"}, {"docs\\busy.txt", "busy"}, {"docs\\z.txt", "zulu"}});
  const std::string busy = JoinPath(folder, "docs\\busy.txt");
  CHeldFile held(busy);
  CVelmora velmora(Quote(JoinPath(folder, "docs")), folder);
  velmora.Start(kSecret, true);
  ExpectBox(velmora,
            "暗号化する元のファイルをオープンできません。ファイルに対するアクセス権があるか，"
            "他のプログラムで使用中かどうか，調べてください。005",
            busy);
  velmora.ExpectQuietEnd();
  held.Release();
  EXPECT_FALSE(FileExists(JoinPath(folder, "docs.EXE"))) << "an incomplete cipher file stays behind";
  EXPECT_EQ(ReadWholeFile(JoinPath(folder, "docs\\a.txt")), "alpha");
  EXPECT_EQ(ReadWholeFile(busy), "busy");
}

TEST(Seal, CipherFileThatCannotBeCreatedLeavesItsNameAlone) {
  const std::string folder = MakeScratchFolder("seal\\cannot-create");
  MakeTree(folder, {{"x.txt", "x"}, {"x.txt.EXE\\", ""}, {"x.txt.EXE\\keep.txt", "keep"}});
  CVelmora velmora(Quote(JoinPath(folder, "x.txt")), folder);
  velmora.Start(kSecret, true);
  ExpectBox(velmora,
            "暗号ファイルを書き出しができません。デバイスが書き込み禁止でないか，"
            "あるいは書き込みのための空きスペースが不足していなか調べてください。015",
            "velmora");
  EXPECT_EQ(velmora.Process().WaitForExitCode(), 0u);
  EXPECT_EQ(ReadWholeFile(JoinPath(folder, "x.txt.EXE\\keep.txt")), "keep");
  EXPECT_EQ(ReadWholeFile(JoinPath(folder, "x.txt")), "x");
}

TEST(Seal, CipherFileOf4GiBIsRefusedBeforeAnythingIsWritten) {
  const std::string folder = MakeScratchFolder("seal\\too-large");
  const std::string source = JoinPath(folder, "huge.bin");
  {
    // A sparse file: its size counts, its blocks are never written.
    const HANDLE file = CreateFileA(source.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    LARGE_INTEGER size;
    size.QuadPart = 0x100000000LL - 600000;  // with the stub, over 4 GiB
    SetFilePointerEx(file, size, nullptr, FILE_BEGIN);
    ASSERT_TRUE(SetEndOfFile(file));
    CloseHandle(file);
  }
  CVelmora velmora(Quote(source), folder);
  velmora.Start(kSecret, true);
  CMessageBoxDriver box = WaitForMessageBox(velmora.Process().GetProcessId());
  EXPECT_EQ(FormatHex(box.GetText()), FormatHex("暗号ファイルが4GBを超えるため作成できません。"));
  EXPECT_EQ(box.GetCaption(), "ERROR");
  box.PressButton(IDOK);
  EXPECT_EQ(velmora.Process().WaitForExitCode(), 0u);
  EXPECT_FALSE(FileExists(source + ".EXE"));
  EXPECT_TRUE(FileExists(source));
  DeleteFileA(source.c_str());
}
