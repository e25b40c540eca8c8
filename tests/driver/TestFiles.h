// Files for tests: scratch trees under the build tree, whole-file reads and writes, tree comparison, files held open.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A fresh empty folder <build>\scratch\<name> (emptied if an earlier run left it). Names may contain backslashes.
std::string MakeScratchFolder(const std::string& name);

// One file or folder of a tree to make; paths are relative and a trailing backslash makes a folder.
struct TreeEntry
{
    std::string path;
    std::string content;
    DWORD nAttributes = 0;   // FILE_ATTRIBUTE_READONLY, _HIDDEN, ...; 0 leaves the default
    FILETIME lastWrite = {};  // all zero leaves the time of writing
};

// Makes the entries under the root, parent folders first; throws CDriverError on any failure.
void MakeTree(const std::string& root, const std::vector<TreeEntry>& entries);

void WriteWholeFile(const std::string& path, const std::string& content);

// Throws CDriverError when the file cannot be read.
std::string ReadWholeFile(const std::string& path);

// Removes the folder and everything in it, read-only files included; a missing folder is no error.
void DeleteTree(const std::string& path);

struct TreeComparison
{
    bool bAttributes = true;
    bool bFileTimes = true;
    bool bFolderTimes = false;  // adding entries changes a folder's time, so it rarely means anything
};

// Every difference between two trees: names (byte-exact), kinds, contents, attributes, last-write times.
// Empty when they match. Each line names the relative path, in UTF-8 for the failure message.
std::vector<std::string> CompareTrees(const std::string& first, const std::string& second,
                                      const TreeComparison& comparison = TreeComparison());

// Keeps a file or folder open, by default sharing nothing, so the program under test finds it in use.
class CHeldFile
{
public:
    explicit CHeldFile(const std::string& path, DWORD nShareMode = 0);
    ~CHeldFile();
    CHeldFile(const CHeldFile&) = delete;
    CHeldFile& operator=(const CHeldFile&) = delete;

    void Release();

private:
    HANDLE m_hFile;
};
