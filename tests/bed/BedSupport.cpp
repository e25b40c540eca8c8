// Small helpers the bed tests share: scratch folders in the build tree, whole files, hex dumps for failure messages.
#include "BedSupport.h"

#include <windows.h>

#include <cstdio>

namespace
{
std::string GetParentFolder(const std::string& path)
{
    // Code page 932 trail bytes can be 0x5C, so the last separator is found by walking characters, not bytes.
    size_t nLastSeparator = std::string::npos;
    for (size_t i = 0; i < path.size(); ++i)
    {
        if (IsDBCSLeadByte(static_cast<BYTE>(path[i])) && i + 1 < path.size())
        {
            ++i;
            continue;
        }
        if (path[i] == '\\')
            nLastSeparator = i;
    }
    return nLastSeparator == std::string::npos ? std::string() : path.substr(0, nLastSeparator);
}
}

std::string GetBuildFolder()
{
    char szModule[MAX_PATH];
    DWORD nLength = GetModuleFileNameA(nullptr, szModule, MAX_PATH);
    return GetParentFolder(GetParentFolder(std::string(szModule, nLength)));
}

std::string MakeScratchFolder(const std::string& name)
{
    std::string scratch = GetBuildFolder() + "\\scratch";
    CreateDirectoryA(scratch.c_str(), nullptr);
    scratch += "\\bed";
    CreateDirectoryA(scratch.c_str(), nullptr);
    std::string folder = scratch + "\\" + name;
    DeleteTree(folder);
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

void DeleteTree(const std::string& path)
{
    WIN32_FIND_DATAA found;
    HANDLE hFind = FindFirstFileA((path + "\\*").c_str(), &found);
    if (hFind != INVALID_HANDLE_VALUE)
    {
        do
        {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string child = path + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                DeleteTree(child);
            else
            {
                SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(child.c_str());
            }
        } while (FindNextFileA(hFind, &found));
        FindClose(hFind);
    }
    RemoveDirectoryA(path.c_str());
}

bool WriteWholeFile(const std::string& path, const std::string& bytes)
{
    HANDLE hFile = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    DWORD nWritten = 0;
    BOOL bOk = WriteFile(hFile, bytes.data(), static_cast<DWORD>(bytes.size()), &nWritten, nullptr);
    CloseHandle(hFile);
    return bOk && nWritten == bytes.size();
}

std::string ReadWholeFile(const std::string& path)
{
    std::string bytes;
    HANDLE hFile = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return bytes;
    char buffer[4096];
    DWORD nRead = 0;
    while (ReadFile(hFile, buffer, sizeof buffer, &nRead, nullptr) && nRead > 0)
        bytes.append(buffer, nRead);
    CloseHandle(hFile);
    return bytes;
}

std::string FormatHex(const std::string& bytes)
{
    std::string text;
    char part[4];
    for (unsigned char byte : bytes)
    {
        std::snprintf(part, sizeof part, "%02X ", byte);
        text += part;
    }
    if (!text.empty())
        text.pop_back();
    return text;
}
