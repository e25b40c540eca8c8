// Polling with a deadline: every wait in the driver ends, and says so when it ran out.
#include "Waiting.h"

bool WaitUntil(const std::function<bool()>& condition, DWORD nTimeoutMs, DWORD nPollMs)
{
    const ULONGLONG nDeadline = GetTickCount64() + nTimeoutMs;
    while (GetTickCount64() < nDeadline)
    {
        if (condition())
            return true;
        Sleep(nPollMs);
    }
    return condition();
}
