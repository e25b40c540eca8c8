// Polling with a deadline: every wait in the driver ends, and says so when it ran out.
#pragma once

#include <windows.h>

#include <functional>

// Long enough for a loaded machine, short enough that a hung test fails instead of hanging CTest.
constexpr DWORD kDefaultTimeoutMs = 10000;

// Polls until the condition holds or the time is up; the condition is tried once more at the end.
bool WaitUntil(const std::function<bool()>& condition, DWORD nTimeoutMs = kDefaultTimeoutMs, DWORD nPollMs = 20);
