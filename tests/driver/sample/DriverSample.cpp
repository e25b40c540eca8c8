// driver_sample.exe: a small dialog program the driver tests start and drive like the real one.
//
//   driver_sample.exe            shows the dialog; OK exits with 10 (11 with the check box on), Cancel with 2
//   driver_sample.exe --exit N   exits with N at once, without a window
//   driver_sample.exe --second   the instance that 再起動 starts; its caption ends in " 2"
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <cstring>

#include "SampleIds.h"

namespace
{
const char kCaption[] = "ドライバ見本";
const char kErrorText[] = "ファイルを表示できません。\n予定表.txt";
const char kInfoText[] = "情報です。";

bool g_bSecondInstance = false;

const char* FindOption(const char* pszOption)
{
    return std::strstr(GetCommandLineA(), pszOption);
}

// The whole job runs inside the click handler, as the real program's does, so a driver must never wait on the click.
// A test that made the event VelmoraDriverSample.Finish.<pid> holds the job at its end until it sets the event.
void RunLongJob(HWND hDlg)
{
    HWND hProgress = GetDlgItem(hDlg, IDC_PROGRESS);
    SetDlgItemTextA(hDlg, IDC_STATUS, "実行中");
    for (int nStep = 1; nStep <= 20; ++nStep)
    {
        Sleep(50);
        SendMessageA(hProgress, PBM_SETPOS, nStep * 5, 0);
    }
    char szEvent[64];
    wsprintfA(szEvent, "VelmoraDriverSample.Finish.%lu", GetCurrentProcessId());
    if (HANDLE hFinish = OpenEventA(SYNCHRONIZE, FALSE, szEvent))
    {
        WaitForSingleObject(hFinish, 30000);
        CloseHandle(hFinish);
    }
    SetDlgItemTextA(hDlg, IDC_STATUS, "完了");
}

void Relaunch(HWND hDlg)
{
    char szProgram[MAX_PATH];
    GetModuleFileNameA(nullptr, szProgram, MAX_PATH);
    char szCommandLine[MAX_PATH + 16];
    wsprintfA(szCommandLine, "\"%s\" --second", szProgram);
    STARTUPINFOA startup = {sizeof startup};
    PROCESS_INFORMATION process = {};
    if (CreateProcessA(nullptr, szCommandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        SetDlgItemTextA(hDlg, IDC_STATUS, "再起動しました");
    }
}

void OnInitDialog(HWND hDlg)
{
    if (g_bSecondInstance)
    {
        char szCaption[64];
        wsprintfA(szCaption, "%s 2", kCaption);
        SetWindowTextA(hDlg, szCaption);
    }
    SetDlgItemTextA(hDlg, IDC_COMMAND_LINE, GetCommandLineA());
    char szFolder[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, szFolder);
    SetDlgItemTextA(hDlg, IDC_FOLDER, szFolder);
    AppendMenuA(GetSystemMenu(hDlg, FALSE), MF_SEPARATOR, 0, nullptr);
    AppendMenuA(GetSystemMenu(hDlg, FALSE), MF_STRING, IDM_ABOUT, "バージョン情報(&A)...");
}

INT_PTR CALLBACK SampleDialogProc(HWND hDlg, UINT uMessage, WPARAM wParam, LPARAM)
{
    switch (uMessage)
    {
    case WM_INITDIALOG:
        OnInitDialog(hDlg);
        return TRUE;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == IDM_ABOUT)
        {
            SetDlgItemTextA(hDlg, IDC_STATUS, "バージョン情報");
            return TRUE;
        }
        return FALSE;
    case WM_COMMAND:
        switch (LOWORD(wParam))
        {
        case IDC_RUN:
            RunLongJob(hDlg);
            return TRUE;
        case IDC_ERROR:
            MessageBoxA(hDlg, kErrorText, kCaption, MB_OK | MB_ICONSTOP);
            SetDlgItemTextA(hDlg, IDC_STATUS, "エラー確認済み");
            return TRUE;
        case IDC_INFO:
            MessageBoxA(hDlg, kInfoText, kCaption, MB_OK);
            SetDlgItemTextA(hDlg, IDC_STATUS, "情報確認済み");
            return TRUE;
        case IDC_RELAUNCH:
            Relaunch(hDlg);
            return TRUE;
        case IDOK:
            EndDialog(hDlg, 10 + (IsDlgButtonChecked(hDlg, IDC_OPTION) == BST_CHECKED ? 1 : 0));
            return TRUE;
        case IDCANCEL:
            EndDialog(hDlg, 2);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    if (const char* pszExit = FindOption("--exit "))
        return std::atoi(pszExit + 7);
    g_bSecondInstance = FindOption("--second") != nullptr;

    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    return static_cast<int>(DialogBoxParamA(hInstance, MAKEINTRESOURCEA(IDD_SAMPLE), nullptr, SampleDialogProc, 0));
}
