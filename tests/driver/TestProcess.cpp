// A program under test, started with an exact command line and current folder; killed if a test leaves it running.
#include "TestProcess.h"

#include <vector>

#include "DriverError.h"
#include "ScreenDescription.h"
#include "TextEncoding.h"

namespace
{
constexpr UINT kKilledExitCode = 0xDEAD;
}

CTestProcess::~CTestProcess()
{
    Close();
}

CTestProcess::CTestProcess(CTestProcess&& other) noexcept
    : m_hProcess(other.m_hProcess), m_nProcessId(other.m_nProcessId)
{
    other.m_hProcess = nullptr;
    other.m_nProcessId = 0;
}

CTestProcess& CTestProcess::operator=(CTestProcess&& other) noexcept
{
    if (this != &other)
    {
        Close();
        m_hProcess = other.m_hProcess;
        m_nProcessId = other.m_nProcessId;
        other.m_hProcess = nullptr;
        other.m_nProcessId = 0;
    }
    return *this;
}

void CTestProcess::Start(const std::string& commandLine, const std::string& currentFolder)
{
    Close();
    // CreateProcessA may write into the command line, so it gets a private copy.
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        currentFolder.empty() ? nullptr : currentFolder.c_str(), &startup, &process))
    {
        throw CDriverError("cannot start " + ConvertAcpToUtf8(commandLine) + " in " + ConvertAcpToUtf8(currentFolder) +
                           ": error " + std::to_string(GetLastError()));
    }
    CloseHandle(process.hThread);
    m_hProcess = process.hProcess;
    m_nProcessId = process.dwProcessId;
}

void CTestProcess::Attach(DWORD nProcessId)
{
    Close();
    m_hProcess = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION, FALSE, nProcessId);
    if (!m_hProcess)
        throw CDriverError("cannot open process " + std::to_string(nProcessId) + ": error " +
                           std::to_string(GetLastError()));
    m_nProcessId = nProcessId;
}

bool CTestProcess::WaitForExit(DWORD nTimeoutMs)
{
    if (!m_hProcess)
        return true;
    if (WaitForSingleObject(m_hProcess, nTimeoutMs) == WAIT_OBJECT_0)
        return true;
    Kill();
    return false;
}

DWORD CTestProcess::WaitForExitCode(DWORD nTimeoutMs)
{
    if (!m_hProcess)
        throw CDriverError("no process to wait for");
    if (WaitForSingleObject(m_hProcess, nTimeoutMs) != WAIT_OBJECT_0)
    {
        // The screen is described before the kill: it shows why the program did not end.
        std::string message = "process " + std::to_string(m_nProcessId) + " still running after " +
                              std::to_string(nTimeoutMs) + " ms; killed\n" + DescribeScreen();
        Kill();
        throw CDriverError(message);
    }
    DWORD nExitCode = 0;
    GetExitCodeProcess(m_hProcess, &nExitCode);
    return nExitCode;
}

bool CTestProcess::IsRunning() const
{
    return m_hProcess && WaitForSingleObject(m_hProcess, 0) == WAIT_TIMEOUT;
}

void CTestProcess::Kill()
{
    if (IsRunning())
    {
        TerminateProcess(m_hProcess, kKilledExitCode);
        WaitForSingleObject(m_hProcess, kDefaultTimeoutMs);
    }
}

void CTestProcess::Close()
{
    if (!m_hProcess)
        return;
    Kill();
    CloseHandle(m_hProcess);
    m_hProcess = nullptr;
    m_nProcessId = 0;
}
