// What can be read from any window, of this process or another: text, class, owner process and thread,
// and messages sent with a deadline that holds even when the window's thread is stuck.
#include "WindowFacts.h"

#include <vector>

#include "DriverError.h"

namespace
{
// Shared by the caller and the helper thread; whichever lets go last deletes it, so a send that outlives
// its deadline never writes into memory the caller has already given back.
struct PendingSend
{
    HWND hWnd;
    UINT uMessage;
    WPARAM wParam;
    LPARAM lParam;
    std::vector<char> buffer;  // when not empty, lParam points into it
    DWORD nTimeoutMs;
    DWORD_PTR nResult = 0;
    BOOL bAnswered = FALSE;
    LONG nHolders = 2;
};

void LetGo(PendingSend* pSend)
{
    if (InterlockedDecrement(&pSend->nHolders) == 0)
        delete pSend;
}

DWORD WINAPI SendOnHelperThread(LPVOID pParameter)
{
    auto* pSend = static_cast<PendingSend*>(pParameter);
    LPARAM lParam = pSend->buffer.empty() ? pSend->lParam : reinterpret_cast<LPARAM>(pSend->buffer.data());
    pSend->bAnswered = SendMessageTimeoutA(pSend->hWnd, pSend->uMessage, pSend->wParam, lParam, SMTO_ABORTIFHUNG,
                                           pSend->nTimeoutMs, &pSend->nResult) != 0;
    LetGo(pSend);
    return 0;
}

// Returns the finished send, or nullptr when the deadline passed; the caller lets go of what it gets.
PendingSend* SendAndWait(PendingSend* pSend)
{
    HANDLE hThread = CreateThread(nullptr, 0, SendOnHelperThread, pSend, 0, nullptr);
    if (!hThread)
    {
        delete pSend;
        return nullptr;
    }
    bool bFinished = WaitForSingleObject(hThread, pSend->nTimeoutMs) == WAIT_OBJECT_0;
    CloseHandle(hThread);
    if (bFinished)
        return pSend;
    LetGo(pSend);
    return nullptr;
}

bool TryReadWindowText(HWND hWnd, DWORD nTimeoutMs, std::string& text)
{
    DWORD_PTR nLength = 0;
    if (!SendMessageWithin(hWnd, WM_GETTEXTLENGTH, 0, 0, nTimeoutMs, nLength))
        return false;
    auto* pSend = new PendingSend{hWnd, WM_GETTEXT, nLength + 1, 0, std::vector<char>(nLength + 1), nTimeoutMs};
    PendingSend* pDone = SendAndWait(pSend);
    if (!pDone)
        return false;
    bool bOk = pDone->bAnswered != FALSE;
    // WM_GETTEXTLENGTH may count more than WM_GETTEXT copies; the copied count is the truth.
    if (bOk)
        text.assign(pDone->buffer.data(), pDone->nResult);
    LetGo(pDone);
    return bOk;
}

std::string DescribeWindowHandle(HWND hWnd)
{
    char szText[32];
    wsprintfA(szText, "window %p", static_cast<void*>(hWnd));
    return szText;
}

std::string DescribeFailedSend(HWND hWnd, const char* pszMessage, DWORD nTimeoutMs)
{
    if (!IsWindow(hWnd))
        return DescribeWindowHandle(hWnd) + " is gone: it was closed before " + pszMessage;
    return DescribeWindowHandle(hWnd) + " did not answer " + pszMessage + " within " + std::to_string(nTimeoutMs) +
           " ms";
}
}

bool SendMessageWithin(HWND hWnd, UINT uMessage, WPARAM wParam, LPARAM lParam, DWORD nTimeoutMs, DWORD_PTR& nResult)
{
    PendingSend* pDone = SendAndWait(new PendingSend{hWnd, uMessage, wParam, lParam, {}, nTimeoutMs});
    if (!pDone)
        return false;
    bool bOk = pDone->bAnswered != FALSE;
    nResult = pDone->nResult;
    LetGo(pDone);
    return bOk;
}

std::string ReadWindowText(HWND hWnd, DWORD nTimeoutMs)
{
    std::string text;
    if (!TryReadWindowText(hWnd, nTimeoutMs, text))
        throw CDriverError(DescribeFailedSend(hWnd, "WM_GETTEXT", nTimeoutMs));
    return text;
}

void WriteWindowText(HWND hWnd, const std::string& text, DWORD nTimeoutMs)
{
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    PendingSend* pDone = SendAndWait(new PendingSend{hWnd, WM_SETTEXT, 0, 0, std::move(buffer), nTimeoutMs});
    bool bOk = pDone && pDone->bAnswered;
    if (pDone)
        LetGo(pDone);
    if (!bOk)
        throw CDriverError(DescribeFailedSend(hWnd, "WM_SETTEXT", nTimeoutMs));
}

std::string PeekWindowText(HWND hWnd)
{
    std::string text;
    if (TryReadWindowText(hWnd, 200, text))
        return text;
    char szTitle[512] = {};
    GetWindowTextA(hWnd, szTitle, sizeof szTitle);
    return szTitle;
}

std::string GetWindowClass(HWND hWnd)
{
    char szClass[256] = {};
    GetClassNameA(hWnd, szClass, sizeof szClass);
    return szClass;
}

DWORD GetWindowProcess(HWND hWnd)
{
    DWORD nProcessId = 0;
    GetWindowThreadProcessId(hWnd, &nProcessId);
    return nProcessId;
}

DWORD GetWindowThread(HWND hWnd)
{
    return GetWindowThreadProcessId(hWnd, nullptr);
}
