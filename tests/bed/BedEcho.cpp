// Child of the bed's command-line tests: writes the command line and current folder it received, byte for byte.
#include <windows.h>

// The output file comes through the environment so that nothing the test puts on the command line is ours.
int main()
{
    char szOutput[MAX_PATH];
    if (GetEnvironmentVariableA("BED_ECHO_OUTPUT", szOutput, MAX_PATH) == 0)
        return 2;
    char szCurrent[MAX_PATH];
    DWORD nCurrent = GetCurrentDirectoryA(MAX_PATH, szCurrent);

    HANDLE hFile = CreateFileA(szOutput, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return 3;
    const char* pszCommandLine = GetCommandLineA();
    DWORD nWritten = 0;
    WriteFile(hFile, pszCommandLine, lstrlenA(pszCommandLine), &nWritten, nullptr);
    WriteFile(hFile, "\n", 1, &nWritten, nullptr);
    WriteFile(hFile, szCurrent, nCurrent, &nWritten, nullptr);
    CloseHandle(hFile);
    return 0;
}
