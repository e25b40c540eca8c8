// Windows paths for tests: the build tree seen through Wine's Z: drive, and joining that respects code page 932.
#include "TestPaths.h"

#include <windows.h>

namespace
{
// Index of the last real backslash, walking characters so a trail byte 0x5C is never taken for one.
size_t FindLastSeparator(const std::string& path)
{
    size_t nLast = std::string::npos;
    for (size_t i = 0; i < path.size(); ++i)
    {
        if (IsDBCSLeadByte(static_cast<BYTE>(path[i])) && i + 1 < path.size())
            ++i;
        else if (path[i] == '\\')
            nLast = i;
    }
    return nLast;
}
}

bool EndsWithSeparator(const std::string& path)
{
    return !path.empty() && FindLastSeparator(path) == path.size() - 1;
}

std::string GetBuildFolder()
{
    char szModule[MAX_PATH];
    DWORD nLength = GetModuleFileNameA(nullptr, szModule, MAX_PATH);
    return GetParentFolder(GetParentFolder(std::string(szModule, nLength)));
}

std::string GetBinFolder()
{
    return JoinPath(GetBuildFolder(), "bin");
}

std::string GetScratchRoot()
{
    std::string scratch = JoinPath(GetBuildFolder(), "scratch");
    CreateDirectoryA(scratch.c_str(), nullptr);
    return scratch;
}

std::string ToWindowsPath(const std::string& unixPath)
{
    wchar_t wide[MAX_PATH * 2];
    int nWide = MultiByteToWideChar(CP_UTF8, 0, unixPath.c_str(), -1, wide, MAX_PATH * 2);
    char ansi[MAX_PATH * 4] = {};
    if (nWide > 0)
        WideCharToMultiByte(CP_ACP, 0, wide, -1, ansi, sizeof ansi, nullptr, nullptr);
    std::string path = std::string("Z:") + ansi;
    for (char& c : path)
    {
        if (c == '/')
            c = '\\';
    }
    return path;
}

std::string JoinPath(const std::string& folder, const std::string& name)
{
    if (folder.empty())
        return name;
    return EndsWithSeparator(folder) ? folder + name : folder + "\\" + name;
}

std::string GetParentFolder(const std::string& path)
{
    size_t nLast = FindLastSeparator(path);
    return nLast == std::string::npos ? std::string() : path.substr(0, nLast);
}
