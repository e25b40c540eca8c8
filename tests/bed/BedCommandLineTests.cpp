// Command lines and current folders reach a child started with CreateProcessA byte-exact, Japanese and spaces included.
#include <windows.h>

#include <gtest/gtest.h>

#include "BedSupport.h"

namespace
{
struct CommandLineCase
{
    const char* pszProgramFolder;  // where the child is copied, under the case's scratch folder
    const char* pszCurrentFolder;  // the child's current folder, under the case's scratch folder
    const char* pszTail;           // everything after the quoted program path
};

const CommandLineCase kCommandLineCases[] = {
    {"bin", "work", " 表示 ソフト"},
    {"bin", "work", " \"Z:\\tmp\\予定表 フォルダ\\能力.txt\"  two  spaces "},
    {"表示 フォルダ", "作業 ソ", " -x \"a b\""},
    {"bin", "work", ""},
    {"bin", "work", " ｶﾀｶﾅ～①"},
};

std::string GetEchoProgram()
{
    return GetBuildFolder() + "\\bin\\bed_echo.exe";
}
}

TEST(BedCommandLine, ChildReceivesExactCommandLineAndFolder)
{
    for (size_t i = 0; i < std::size(kCommandLineCases); ++i)
    {
        const CommandLineCase& c = kCommandLineCases[i];
        std::string scratch = MakeScratchFolder("cmdline" + std::to_string(i));
        std::string programFolder = scratch + "\\" + c.pszProgramFolder;
        std::string currentFolder = scratch + "\\" + c.pszCurrentFolder;
        CreateDirectoryA(programFolder.c_str(), nullptr);
        CreateDirectoryA(currentFolder.c_str(), nullptr);
        std::string program = programFolder + "\\bed_echo.exe";
        ASSERT_TRUE(CopyFileA(GetEchoProgram().c_str(), program.c_str(), FALSE)) << "case " << i;

        std::string output = scratch + "\\echo.txt";
        SetEnvironmentVariableA("BED_ECHO_OUTPUT", output.c_str());
        std::string commandLine = "\"" + program + "\"" + c.pszTail;

        STARTUPINFOA startup = {sizeof startup};
        PROCESS_INFORMATION process = {};
        std::string buffer = commandLine;
        ASSERT_TRUE(CreateProcessA(nullptr, &buffer[0], nullptr, nullptr, FALSE, 0, nullptr, currentFolder.c_str(),
                                   &startup, &process))
            << "case " << i << ": error " << GetLastError();
        DWORD nWait = WaitForSingleObject(process.hProcess, 20000);
        DWORD nExitCode = 0;
        GetExitCodeProcess(process.hProcess, &nExitCode);
        if (nWait != WAIT_OBJECT_0)
            TerminateProcess(process.hProcess, 1);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        ASSERT_EQ(nWait, WAIT_OBJECT_0) << "case " << i << ": child did not end";
        ASSERT_EQ(nExitCode, 0u) << "case " << i;

        std::string expected = commandLine + "\n" + currentFolder;
        EXPECT_EQ(FormatHex(ReadWholeFile(output)), FormatHex(expected)) << "case " << i;
    }
}
