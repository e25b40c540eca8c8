// Starts driver_sample.exe for a test, in a folder of its own, and finds its dialog.
#include "SampleProgram.h"

#include "TestFiles.h"
#include "TestPaths.h"
#include "WindowSearch.h"

const char kSampleCaption[] = "ドライバ見本";

std::string GetSampleProgramPath()
{
    return JoinPath(GetBinFolder(), "driver_sample.exe");
}

namespace
{
CTestProcess StartSample(const std::string& tail, const std::string& currentFolder)
{
    CTestProcess process;
    process.Start("\"" + GetSampleProgramPath() + "\"" + tail,
                  currentFolder.empty() ? MakeScratchFolder("driver\\sample") : currentFolder);
    return process;
}
}

CSampleProgram::CSampleProgram(const std::string& tail, const std::string& currentFolder)
    : m_process(StartSample(tail, currentFolder)), m_dialog(WaitForDialog(m_process.GetProcessId(), kSampleCaption))
{
}
