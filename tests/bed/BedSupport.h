// Small helpers the bed tests share: scratch folders in the build tree, whole files, hex dumps for failure messages.
#pragma once

#include <string>

// The build tree's folder as a Windows path (Z:\...), found from this program's own location in bin\.
std::string GetBuildFolder();

// An empty folder under <build>\scratch\bed, emptied first if an earlier run left it.
std::string MakeScratchFolder(const std::string& name);

void DeleteTree(const std::string& path);
bool WriteWholeFile(const std::string& path, const std::string& bytes);
std::string ReadWholeFile(const std::string& path);

// "95 5C 8E A6": how byte-exact comparisons of code page 932 text print when they fail.
std::string FormatHex(const std::string& bytes);
