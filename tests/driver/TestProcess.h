// A program under test, started with an exact command line and current folder; killed if a test leaves it running.
#pragma once

#include <windows.h>

#include <string>

#include "Waiting.h"

class CTestProcess
{
public:
    CTestProcess() = default;
    ~CTestProcess();
    CTestProcess(const CTestProcess&) = delete;
    CTestProcess& operator=(const CTestProcess&) = delete;
    CTestProcess(CTestProcess&& other) noexcept;
    CTestProcess& operator=(CTestProcess&& other) noexcept;

    // The command line goes to CreateProcessA as it is: the caller quotes the program path as the test needs.
    // Throws CDriverError when the process cannot be started.
    void Start(const std::string& commandLine, const std::string& currentFolder);

    // Takes charge of a process this test did not start (a second instance the program launched itself).
    void Attach(DWORD nProcessId);

    // False when the time ran out; the process is then killed, so nothing outlives the test.
    bool WaitForExit(DWORD nTimeoutMs = kDefaultTimeoutMs);

    // The exit code; throws CDriverError, describing the screen, if the process has not ended in time.
    DWORD WaitForExitCode(DWORD nTimeoutMs = kDefaultTimeoutMs);

    bool IsRunning() const;
    void Kill();

    DWORD GetProcessId() const { return m_nProcessId; }
    HANDLE GetHandle() const { return m_hProcess; }

private:
    void Close();

    HANDLE m_hProcess = nullptr;
    DWORD m_nProcessId = 0;
};
