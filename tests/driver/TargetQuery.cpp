// Questions answered from inside the program under test, through uidriver_hook.dll.
#include "TargetQuery.h"

#include "DriverError.h"
#include "HookProtocol.h"
#include "TestPaths.h"
#include "WindowFacts.h"

namespace
{
// Shared memory the hook writes its answer into; one question at a time per driver process.
class CAnswerMapping
{
public:
    CAnswerMapping()
    {
        std::string name = kAnswerMappingPrefix + std::to_string(GetCurrentProcessId());
        m_hMapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(QueryAnswer),
                                        name.c_str());
        if (m_hMapping)
            m_pAnswer = static_cast<QueryAnswer*>(MapViewOfFile(m_hMapping, FILE_MAP_WRITE, 0, 0, sizeof(QueryAnswer)));
        if (!m_pAnswer)
            throw CDriverError("cannot make the answer mapping " + name);
        ZeroMemory(m_pAnswer, sizeof(QueryAnswer));
    }
    ~CAnswerMapping()
    {
        if (m_pAnswer)
            UnmapViewOfFile(m_pAnswer);
        if (m_hMapping)
            CloseHandle(m_hMapping);
    }
    CAnswerMapping(const CAnswerMapping&) = delete;
    CAnswerMapping& operator=(const CAnswerMapping&) = delete;

    const QueryAnswer& GetAnswer() const { return *m_pAnswer; }

private:
    HANDLE m_hMapping = nullptr;
    QueryAnswer* m_pAnswer = nullptr;
};

class CInstalledHook
{
public:
    explicit CInstalledHook(DWORD nThreadId)
    {
        std::string dll = JoinPath(GetBinFolder(), kHookDllName);
        m_hDll = LoadLibraryA(dll.c_str());
        auto pfnHook = m_hDll ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(m_hDll, kHookProcName)))
                              : nullptr;
        if (pfnHook)
            m_hHook = SetWindowsHookExA(WH_CALLWNDPROC, pfnHook, m_hDll, nThreadId);
        if (!m_hHook)
            throw CDriverError("cannot hook thread " + std::to_string(nThreadId) + " with " + dll + ": error " +
                               std::to_string(GetLastError()));
    }
    ~CInstalledHook()
    {
        if (m_hHook)
            UnhookWindowsHookEx(m_hHook);
        if (m_hDll)
            FreeLibrary(m_hDll);
    }
    CInstalledHook(const CInstalledHook&) = delete;
    CInstalledHook& operator=(const CInstalledHook&) = delete;

private:
    HMODULE m_hDll = nullptr;
    HHOOK m_hHook = nullptr;
};

QueryAnswer AskInsideProgram(HWND hWnd, QueryKind nKind, DWORD nTimeoutMs)
{
    CAnswerMapping mapping;
    CInstalledHook hook(GetWindowThread(hWnd));
    static const UINT s_nQueryMessage = RegisterWindowMessageA(kQueryMessageName);
    DWORD_PTR nResult = 0;
    if (!SendMessageWithin(hWnd, s_nQueryMessage, nKind, GetCurrentProcessId(), nTimeoutMs, nResult))
        throw CDriverError("the program did not answer the driver's question within " + std::to_string(nTimeoutMs) +
                           " ms");
    const QueryAnswer& answer = mapping.GetAnswer();
    if (!answer.nAnswered)
        throw CDriverError("the driver's hook did not run inside the program");
    return answer;
}
}

std::vector<MenuItemFacts> ReadSystemMenu(HWND hWnd, DWORD nTimeoutMs)
{
    QueryAnswer answer = AskInsideProgram(hWnd, kQuerySystemMenu, nTimeoutMs);
    std::vector<MenuItemFacts> items;
    for (int i = 0; i < answer.nItemCount; ++i)
    {
        const MenuItemAnswer& item = answer.items[i];
        items.push_back({item.nId, item.szText, (item.nType & MFT_SEPARATOR) != 0,
                         (item.nState & (MFS_DISABLED | MFS_GRAYED)) == 0, (item.nState & MFS_CHECKED) != 0});
    }
    return items;
}

SIZE ReadDialogBaseUnits(HWND hDialog, DWORD nTimeoutMs)
{
    QueryAnswer answer = AskInsideProgram(hDialog, kQueryDialogBaseUnits, nTimeoutMs);
    return {answer.rcBaseUnits.right - answer.rcBaseUnits.left, answer.rcBaseUnits.bottom - answer.rcBaseUnits.top};
}

