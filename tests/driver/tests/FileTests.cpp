// Paths and files for tests: Wine paths, code page 932 joins, scratch trees, tree comparison, files held open.
#include <gtest/gtest.h>

#include "UiDriver.h"

TEST(Paths, UnixPathsBecomeDriveZ)
{
    struct Case
    {
        const char* pszUnix;
        const char* pszWindows;
    };
    const Case cases[] = {
        {"/work/main/build", "Z:\\work\\main\\build"},
        {"/tmp/a b/", "Z:\\tmp\\a b\\"},
        {u8"/tmp/表示/ソ.txt", "Z:\\tmp\\表示\\ソ.txt"},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(FormatHex(ToWindowsPath(cases[i].pszUnix)), FormatHex(cases[i].pszWindows)) << "case " << i;
}

// 表 and ソ end in the byte 0x5C; taking it for a backslash drops or doubles separators.
TEST(Paths, JoinAndParentRespectTrailBytes)
{
    struct Case
    {
        const char* pszFolder;
        const char* pszName;
        const char* pszJoined;
        const char* pszParent;
    };
    const Case cases[] = {
        {"Z:\\tmp", "a.txt", "Z:\\tmp\\a.txt", "Z:\\tmp"},
        {"Z:\\tmp\\", "a.txt", "Z:\\tmp\\a.txt", "Z:\\tmp"},
        {"Z:\\予定表", "ソ", "Z:\\予定表\\ソ", "Z:\\予定表"},
        {"Z:\\ソ\\", "表", "Z:\\ソ\\表", "Z:\\ソ"},
        {"", "a", "a", ""},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
    {
        const Case& c = cases[i];
        std::string joined = JoinPath(c.pszFolder, c.pszName);
        EXPECT_EQ(FormatHex(joined), FormatHex(c.pszJoined)) << "case " << i;
        EXPECT_EQ(FormatHex(GetParentFolder(joined)), FormatHex(c.pszParent)) << "case " << i;
    }
}

TEST(Paths, BuildFolderHoldsThisProgram)
{
    char szModule[MAX_PATH];
    GetModuleFileNameA(nullptr, szModule, MAX_PATH);
    EXPECT_EQ(JoinPath(GetBinFolder(), "driver_tests.exe"), szModule);
    EXPECT_EQ(GetParentFolder(GetBinFolder()), GetBuildFolder());
}

namespace
{
FILETIME MakeFileTime(WORD nYear, WORD nMonth, WORD nDay)
{
    SYSTEMTIME utc = {nYear, nMonth, 0, nDay, 12, 34, 56, 0};
    FILETIME time = {};
    SystemTimeToFileTime(&utc, &time);
    return time;
}

std::vector<TreeEntry> MakeSampleTree()
{
    return {
        {"表示.txt", "first file", 0, MakeFileTime(2001, 2, 3)},
        {"sub\\", "", 0, MakeFileTime(2002, 3, 4)},
        {"sub\\ソ.dat", std::string("\0\x01\xFF", 3), FILE_ATTRIBUTE_READONLY, MakeFileTime(2003, 4, 5)},
        {"sub\\empty\\", "", FILE_ATTRIBUTE_HIDDEN, {}},
    };
}

std::string JoinLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}
}

TEST(Files, TreeIsMadeAsDescribed)
{
    std::string root = MakeScratchFolder("driver\\tree\\made");
    MakeTree(root, MakeSampleTree());
    EXPECT_EQ(ReadWholeFile(JoinPath(root, "sub\\ソ.dat")), std::string("\0\x01\xFF", 3));
    EXPECT_TRUE(GetFileAttributesA(JoinPath(root, "sub\\ソ.dat").c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(GetFileAttributesA(JoinPath(root, "sub\\empty").c_str()) & FILE_ATTRIBUTE_HIDDEN);
    WIN32_FIND_DATAA found;
    HANDLE hFind = FindFirstFileA(JoinPath(root, "sub").c_str(), &found);
    ASSERT_NE(hFind, INVALID_HANDLE_VALUE);
    FindClose(hFind);
    FILETIME expected = MakeFileTime(2002, 3, 4);
    EXPECT_EQ(CompareFileTime(&found.ftLastWriteTime, &expected), 0) << "folder time set after its contents";
}

TEST(Files, CompareTreesFindsEachKindOfDifference)
{
    struct Case
    {
        void (*pfnChange)(std::vector<TreeEntry>&);
        const char* pszDifference;
    };
    const Case cases[] = {
        {[](std::vector<TreeEntry>&) {}, ""},
        {[](std::vector<TreeEntry>& tree) { tree[0].content = "first filf"; },
         u8"content differs: 表示.txt (10 vs 10 bytes)\n"},
        {[](std::vector<TreeEntry>& tree) { tree.erase(tree.begin()); }, u8"only in first: 表示.txt\n"},
        {[](std::vector<TreeEntry>& tree) { tree.push_back({"sub\\new.txt", "x"}); },
         "only in second: sub\\new.txt\n"},
        {[](std::vector<TreeEntry>& tree) { tree[2].nAttributes = 0; },
         u8"attributes differ: sub\\ソ.dat (0x21 vs 0x20)\n"},
        {[](std::vector<TreeEntry>& tree) { tree[0].lastWrite = MakeFileTime(2001, 2, 4); },
         u8"last-write time differs: 表示.txt (2001-02-03 12:34:56.0000000 vs 2001-02-04 12:34:56.0000000)\n"},
        {[](std::vector<TreeEntry>& tree) { tree[0].path = "表示.TXT"; },
         u8"only in first: 表示.txt\nonly in second: 表示.TXT\n"},
        {[](std::vector<TreeEntry>& tree) { tree[3].path = "sub\\empty"; },
         "file in one, folder in the other: sub\\empty\n"},
    };
    std::string first = MakeScratchFolder("driver\\tree\\first");
    MakeTree(first, MakeSampleTree());
    for (size_t i = 0; i < std::size(cases); ++i)
    {
        std::string second = MakeScratchFolder("driver\\tree\\second");
        std::vector<TreeEntry> tree = MakeSampleTree();
        cases[i].pfnChange(tree);
        MakeTree(second, tree);
        EXPECT_EQ(JoinLines(CompareTrees(first, second)), cases[i].pszDifference) << "case " << i;
    }
}

TEST(Files, CompareTreesCanLeaveOutAttributesAndTimes)
{
    std::string first = MakeScratchFolder("driver\\tree\\loose1");
    std::string second = MakeScratchFolder("driver\\tree\\loose2");
    std::vector<TreeEntry> tree = MakeSampleTree();
    MakeTree(first, tree);
    tree[0].lastWrite = MakeFileTime(2010, 1, 1);
    tree[2].nAttributes = 0;
    MakeTree(second, tree);
    TreeComparison loose;
    loose.bAttributes = false;
    loose.bFileTimes = false;
    EXPECT_EQ(JoinLines(CompareTrees(first, second, loose)), "");
    EXPECT_EQ(CompareTrees(first, JoinPath(second, "missing")).size(), 1u);
}

TEST(Files, HeldFileIsInUseUntilReleased)
{
    std::string path = JoinPath(MakeScratchFolder("driver\\held"), "使用中.txt");
    WriteWholeFile(path, "x");
    CHeldFile held(path);
    HANDLE hOther = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(hOther, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_FALSE(DeleteFileA(path.c_str()));
    held.Release();
    EXPECT_TRUE(DeleteFileA(path.c_str()));
}

TEST(Files, ReadingAMissingFileIsAnError)
{
    EXPECT_THROW(ReadWholeFile(JoinPath(MakeScratchFolder("driver\\missing"), "none.txt")), CDriverError);
}
