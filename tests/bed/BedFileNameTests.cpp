// Japanese file names made by a Windows program come back byte-exact in code page 932, and are UTF-8 on the Unix side.
#include <windows.h>

#include <gtest/gtest.h>

#include "BedSupport.h"

namespace
{
struct FileNameCase
{
    const char* pszFolder;    // code page 932, empty for the scratch folder itself
    const char* pszName;      // code page 932
    const char* pszUnixName;  // what the file is called on the Unix side
};

// Trail bytes 0x5C (表, ソ, 能) must not split names; ～ and ① differ between code page 932 and plain Shift-JIS.
const FileNameCase kFileNameCases[] = {
    {"", "表示.txt", u8"表示.txt"},
    {"", "ソフト ウェア.dat", u8"ソフト ウェア.dat"},
    {"", "能力～①.bin", u8"能力～①.bin"},
    {"", "ｶﾀｶﾅ", u8"ｶﾀｶﾅ"},
    {"表", "ソ", u8"ソ"},
    {"予定表 フォルダ\\能", "十.txt", u8"十.txt"},
};

std::string FindOnlyEntry(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE hFind = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (hFind == INVALID_HANDLE_VALUE)
        return "<FindFirstFileA failed>";
    std::string names;
    do
    {
        std::string name = found.cFileName;
        if (name != "." && name != "..")
            names += names.empty() ? name : "|" + name;
    } while (FindNextFileA(hFind, &found));
    FindClose(hFind);
    return names;
}

// Wine's own export: tells which Unix file a Windows path names.
std::string GetUnixFileName(const std::string& windowsPath)
{
    using UnixNameFunction = char*(CDECL*)(const wchar_t*);
    auto pfnUnixName = reinterpret_cast<UnixNameFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!pfnUnixName)
        return "<not running under Wine>";
    wchar_t wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, MAX_PATH);
    char* pszUnix = pfnUnixName(wide);
    if (!pszUnix)
        return "<no Unix name>";
    std::string unixName = pszUnix;
    HeapFree(GetProcessHeap(), 0, pszUnix);
    return unixName.substr(unixName.rfind('/') + 1);
}
}

TEST(BedFileNames, JapaneseNamesComeBackByteExact)
{
    for (size_t i = 0; i < std::size(kFileNameCases); ++i)
    {
        const FileNameCase& c = kFileNameCases[i];
        std::string folder = MakeScratchFolder("names" + std::to_string(i));
        std::string subFolder = c.pszFolder;
        for (size_t nEnd = 0; !subFolder.empty() && nEnd != std::string::npos;)
        {
            nEnd = subFolder.find("\\", nEnd + 1);
            CreateDirectoryA((folder + "\\" + subFolder.substr(0, nEnd)).c_str(), nullptr);
        }
        if (!subFolder.empty())
            folder += "\\" + subFolder;
        std::string path = folder + "\\" + c.pszName;

        ASSERT_TRUE(WriteWholeFile(path, "x")) << "case " << i << ": cannot create " << FormatHex(path);
        EXPECT_EQ(FormatHex(FindOnlyEntry(folder)), FormatHex(c.pszName)) << "case " << i;
        EXPECT_EQ(ReadWholeFile(path), "x") << "case " << i;
        EXPECT_EQ(FormatHex(GetUnixFileName(path)), FormatHex(c.pszUnixName)) << "case " << i;
    }
}
