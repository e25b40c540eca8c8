// Message boxes of a program under test: waiting for one, reading its text, caption and icon, pressing its buttons.
#pragma once

#include <windows.h>

#include <string>

#include "Waiting.h"

enum class MessageBoxIcon
{
    None,
    Stop,  // MB_ICONSTOP, MB_ICONHAND, MB_ICONERROR
    Exclamation,
    Information,
    Question,
    Unknown,  // an icon is shown, but none of the system's four
};

const char* GetIconName(MessageBoxIcon icon);

class CMessageBoxDriver
{
public:
    explicit CMessageBoxDriver(HWND hMessageBox);

    HWND GetHwnd() const { return m_hMessageBox; }
    HWND GetOwner() const;
    std::string GetCaption() const;
    std::string GetText() const;  // code page 932, line breaks as the program passed them

    // Told apart by comparing the shown icon with each system icon drawn the same size.
    MessageBoxIcon GetIcon() const;

    // Posts BM_CLICK to the button with this id (IDOK, IDYES, ...); throws CDriverError if there is none.
    void PressButton(int nId = IDOK);

    void WaitForClose(DWORD nTimeoutMs = kDefaultTimeoutMs) const;

private:
    static MessageBoxIcon MatchShownIcon(HWND hIcon);

    HWND m_hMessageBox;
};

// Throw CDriverError, describing the screen, when no message box came in time.
CMessageBoxDriver WaitForMessageBox(DWORD nProcessId, DWORD nTimeoutMs = kDefaultTimeoutMs);
CMessageBoxDriver WaitForMessageBoxOwnedBy(HWND hOwner, DWORD nTimeoutMs = kDefaultTimeoutMs);

// Watches the process for the whole period; throws CDriverError with the box's text if one appears.
void ExpectNoMessageBox(DWORD nProcessId, DWORD nPeriodMs);
