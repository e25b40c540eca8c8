// Files for tests: scratch trees under the build tree, whole-file reads and writes, tree comparison, files held open.
#include "TestFiles.h"

#include <cstdio>
#include <map>

#include "DriverError.h"
#include "TestPaths.h"
#include "TextEncoding.h"

namespace
{
std::string DescribeError(const std::string& what, const std::string& path)
{
    return what + " " + ConvertAcpToUtf8(path) + ": error " + std::to_string(GetLastError());
}

void CreateFolderPath(const std::string& path)
{
    std::string parent = GetParentFolder(path);
    if (!parent.empty() && GetFileAttributesA(parent.c_str()) == INVALID_FILE_ATTRIBUTES)
        CreateFolderPath(parent);
    if (!CreateDirectoryA(path.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        throw CDriverError(DescribeError("cannot create the folder", path));
}

bool IsZero(const FILETIME& time)
{
    return time.dwLowDateTime == 0 && time.dwHighDateTime == 0;
}

void SetLastWriteTime(const std::string& path, const FILETIME& time)
{
    HANDLE hFile = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    bool bOk = hFile != INVALID_HANDLE_VALUE && SetFileTime(hFile, nullptr, nullptr, &time);
    if (hFile != INVALID_HANDLE_VALUE)
        CloseHandle(hFile);
    if (!bOk)
        throw CDriverError(DescribeError("cannot set the time of", path));
}

std::string FormatFileTime(const FILETIME& time)
{
    SYSTEMTIME utc = {};
    FileTimeToSystemTime(&time, &utc);
    ULONGLONG nTicks = (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    char szText[48];
    std::snprintf(szText, sizeof szText, "%04u-%02u-%02u %02u:%02u:%02u.%07u", utc.wYear, utc.wMonth, utc.wDay,
                  utc.wHour, utc.wMinute, utc.wSecond, static_cast<unsigned>(nTicks % 10000000));
    return szText;
}

std::string FormatAttributes(DWORD nValue)
{
    char szText[16];
    std::snprintf(szText, sizeof szText, "0x%lX", nValue);
    return szText;
}

std::map<std::string, WIN32_FIND_DATAA> ListFolder(const std::string& folder)
{
    std::map<std::string, WIN32_FIND_DATAA> entries;
    WIN32_FIND_DATAA found;
    HANDLE hFind = FindFirstFileA(JoinPath(folder, "*").c_str(), &found);
    if (hFind == INVALID_HANDLE_VALUE)
        return entries;
    do
    {
        std::string name = found.cFileName;
        if (name != "." && name != "..")
            entries[name] = found;
    } while (FindNextFileA(hFind, &found));
    FindClose(hFind);
    return entries;
}

constexpr DWORD kComparedAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                      FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_DIRECTORY;

void CompareFolders(const std::string& first, const std::string& second, const std::string& relative,
                    const TreeComparison& comparison, std::vector<std::string>& differences)
{
    auto firstEntries = ListFolder(JoinPath(first, relative));
    auto secondEntries = ListFolder(JoinPath(second, relative));
    for (const auto& [name, firstFound] : firstEntries)
    {
        std::string path = JoinPath(relative, name);
        std::string shown = ConvertAcpToUtf8(path);
        auto match = secondEntries.find(name);
        if (match == secondEntries.end())
        {
            differences.push_back("only in first: " + shown);
            continue;
        }
        const WIN32_FIND_DATAA& secondFound = match->second;
        bool bFirstFolder = (firstFound.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        bool bSecondFolder = (secondFound.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (bFirstFolder != bSecondFolder)
        {
            differences.push_back("file in one, folder in the other: " + shown);
            continue;
        }
        DWORD nFirstAttributes = firstFound.dwFileAttributes & kComparedAttributes;
        DWORD nSecondAttributes = secondFound.dwFileAttributes & kComparedAttributes;
        if (comparison.bAttributes && nFirstAttributes != nSecondAttributes)
            differences.push_back("attributes differ: " + shown + " (" + FormatAttributes(nFirstAttributes) + " vs " +
                                  FormatAttributes(nSecondAttributes) + ")");
        bool bCompareTime = bFirstFolder ? comparison.bFolderTimes : comparison.bFileTimes;
        if (bCompareTime && CompareFileTime(&firstFound.ftLastWriteTime, &secondFound.ftLastWriteTime) != 0)
            differences.push_back("last-write time differs: " + shown + " (" +
                                  FormatFileTime(firstFound.ftLastWriteTime) + " vs " +
                                  FormatFileTime(secondFound.ftLastWriteTime) + ")");
        if (bFirstFolder)
        {
            CompareFolders(first, second, path, comparison, differences);
            continue;
        }
        std::string firstContent = ReadWholeFile(JoinPath(first, path));
        std::string secondContent = ReadWholeFile(JoinPath(second, path));
        if (firstContent != secondContent)
            differences.push_back("content differs: " + shown + " (" + std::to_string(firstContent.size()) + " vs " +
                                  std::to_string(secondContent.size()) + " bytes)");
    }
    for (const auto& entry : secondEntries)
    {
        if (firstEntries.find(entry.first) == firstEntries.end())
            differences.push_back("only in second: " + ConvertAcpToUtf8(JoinPath(relative, entry.first)));
    }
}
}

std::string MakeScratchFolder(const std::string& name)
{
    std::string folder = JoinPath(GetScratchRoot(), name);
    DeleteTree(folder);
    CreateFolderPath(folder);
    return folder;
}

void MakeTree(const std::string& root, const std::vector<TreeEntry>& entries)
{
    for (const TreeEntry& entry : entries)
    {
        std::string path = JoinPath(root, entry.path);
        CreateFolderPath(GetParentFolder(path));
        if (EndsWithSeparator(path))
            continue;
        WriteWholeFile(path, entry.content);
        if (!IsZero(entry.lastWrite))
            SetLastWriteTime(path, entry.lastWrite);
    }
    // Folder times and all attributes last: making the contents would change the times, and read-only would
    // stop the making.
    for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry)
    {
        std::string path = JoinPath(root, entry->path);
        if (EndsWithSeparator(path))
        {
            path = GetParentFolder(path);
            if (!IsZero(entry->lastWrite))
                SetLastWriteTime(path, entry->lastWrite);
        }
        if (entry->nAttributes != 0 && !SetFileAttributesA(path.c_str(), entry->nAttributes))
            throw CDriverError(DescribeError("cannot set the attributes of", path));
    }
}

void WriteWholeFile(const std::string& path, const std::string& content)
{
    HANDLE hFile = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        throw CDriverError(DescribeError("cannot create", path));
    DWORD nWritten = 0;
    BOOL bOk = WriteFile(hFile, content.data(), static_cast<DWORD>(content.size()), &nWritten, nullptr);
    CloseHandle(hFile);
    if (!bOk || nWritten != content.size())
        throw CDriverError(DescribeError("cannot write", path));
}

std::string ReadWholeFile(const std::string& path)
{
    HANDLE hFile = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        throw CDriverError(DescribeError("cannot open", path));
    std::string content;
    char buffer[65536];
    DWORD nRead = 0;
    while (ReadFile(hFile, buffer, sizeof buffer, &nRead, nullptr) && nRead > 0)
        content.append(buffer, nRead);
    CloseHandle(hFile);
    return content;
}

void DeleteTree(const std::string& path)
{
    for (const auto& [name, found] : ListFolder(path))
    {
        std::string child = JoinPath(path, name);
        SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            DeleteTree(child);
        else
            DeleteFileA(child.c_str());
    }
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(path.c_str());
}

std::vector<std::string> CompareTrees(const std::string& first, const std::string& second,
                                      const TreeComparison& comparison)
{
    std::vector<std::string> differences;
    for (const std::string& root : {first, second})
    {
        DWORD nAttributes = GetFileAttributesA(root.c_str());
        if (nAttributes == INVALID_FILE_ATTRIBUTES || !(nAttributes & FILE_ATTRIBUTE_DIRECTORY))
            differences.push_back("no such folder: " + ConvertAcpToUtf8(root));
    }
    if (differences.empty())
        CompareFolders(first, second, std::string(), comparison, differences);
    return differences;
}

CHeldFile::CHeldFile(const std::string& path, DWORD nShareMode)
    : m_hFile(CreateFileA(path.c_str(), GENERIC_READ, nShareMode, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                          nullptr))
{
    if (m_hFile == INVALID_HANDLE_VALUE)
        throw CDriverError(DescribeError("cannot hold", path));
}

CHeldFile::~CHeldFile()
{
    Release();
}

void CHeldFile::Release()
{
    if (m_hFile != INVALID_HANDLE_VALUE)
    {
        CloseHandle(m_hFile);
        m_hFile = INVALID_HANDLE_VALUE;
    }
}
