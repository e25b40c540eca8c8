// Starting programs: exact command lines and folders, exit codes, and no process outliving its test.
#include <gtest/gtest.h>

#include "SampleIds.h"
#include "SampleProgram.h"
#include "TestFiles.h"
#include "TestPaths.h"
#include "UiDriver.h"

TEST(Process, ExitCodeComesBack)
{
    CTestProcess process;
    process.Start("\"" + GetSampleProgramPath() + "\" --exit 7", MakeScratchFolder("driver\\exit"));
    EXPECT_EQ(process.WaitForExitCode(), 7u);
}

// The sample shows GetCommandLineA and its current folder in two read-only edits.
TEST(Process, CommandLineAndFolderArriveExactly)
{
    struct Case
    {
        const char* pszTail;
        const char* pszFolder;
    };
    const Case cases[] = {
        {"", "plain"},
        {" 表示 \"予定表 ソ.txt\"", "作業 フォルダ"},
        {"  two  spaces ", "能"},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
    {
        std::string folder = MakeScratchFolder(std::string("driver\\cmdline\\") + cases[i].pszFolder);
        CSampleProgram sample(cases[i].pszTail, folder);
        std::string expected = "\"" + GetSampleProgramPath() + "\"" + cases[i].pszTail;
        EXPECT_EQ(FormatHex(sample.GetDialog().GetText(IDC_COMMAND_LINE)), FormatHex(expected)) << "case " << i;
        EXPECT_EQ(FormatHex(sample.GetDialog().GetText(IDC_FOLDER)), FormatHex(folder)) << "case " << i;
    }
}

TEST(Process, WaitForExitKillsOnTimeout)
{
    CSampleProgram sample;
    EXPECT_FALSE(sample.GetProcess().WaitForExit(200));
    EXPECT_FALSE(sample.GetProcess().IsRunning());
}

TEST(Process, TimeoutErrorDescribesTheScreen)
{
    CSampleProgram sample;
    try
    {
        sample.GetProcess().WaitForExitCode(200);
        FAIL() << "no error for a process that did not end";
    }
    catch (const CDriverError& error)
    {
        std::string message = error.what();
        EXPECT_NE(message.find(u8"\"ドライバ見本\""), std::string::npos) << message;
        EXPECT_NE(message.find(u8"\"エラー表示(&E)\""), std::string::npos) << message;
        EXPECT_NE(message.find("Screenshot: Z:\\"), std::string::npos) << message;
    }
    EXPECT_FALSE(sample.GetProcess().IsRunning());
}

TEST(Process, MissingProgramIsAnError)
{
    CTestProcess process;
    EXPECT_THROW(process.Start("\"" + JoinPath(GetBinFolder(), "no_such_program.exe") + "\"", GetBinFolder()),
                 CDriverError);
}

TEST(Process, LeftRunningIsKilledWithItsObject)
{
    HWND hDialog = nullptr;
    {
        CSampleProgram sample;
        hDialog = sample.GetDialog().GetHwnd();
    }
    EXPECT_FALSE(IsWindow(hDialog));
}
