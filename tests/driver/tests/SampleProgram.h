// Starts driver_sample.exe for a test, in a folder of its own, and finds its dialog.
#pragma once

#include <string>

#include "DialogDriver.h"
#include "TestProcess.h"

extern const char kSampleCaption[];

std::string GetSampleProgramPath();

class CSampleProgram
{
public:
    // The command line is the quoted program path followed by the tail; the folder defaults to a fresh scratch one.
    explicit CSampleProgram(const std::string& tail = std::string(), const std::string& currentFolder = std::string());

    CTestProcess& GetProcess() { return m_process; }
    CDialogDriver& GetDialog() { return m_dialog; }

private:
    CTestProcess m_process;
    CDialogDriver m_dialog;
};
