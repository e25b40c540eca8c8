// Drives one dialog of a program under test by control id, the way a person would: read, type, click, press keys.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "TargetQuery.h"
#include "Waiting.h"

class CDialogDriver
{
public:
    explicit CDialogDriver(HWND hDialog);

    HWND GetHwnd() const { return m_hDialog; }
    DWORD GetProcessId() const;
    std::string GetCaption() const;

    // Throws CDriverError, describing the screen, when the dialog has no such control.
    HWND GetControl(int nId) const;

    // Texts are code page 932, read with WM_GETTEXT.
    std::string GetText(int nId, DWORD nTimeoutMs = kDefaultTimeoutMs) const;
    bool IsEnabled(int nId) const;
    bool IsVisible(int nId) const;
    UINT GetCheck(int nId) const;  // BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE
    int GetProgressPosition(int nId) const;
    std::string GetClassName(int nId) const;
    DWORD GetStyle(int nId) const;

    // The control's place in the dialog's client area, in dialog units, as the resource script gives it.
    RECT GetRectInDialogUnits(int nId) const;

    // Ids of the controls with WS_TABSTOP in the order Tab visits them (disabled and hidden ones included).
    std::vector<int> GetTabOrder() const;

    // Id of the control with the keyboard focus; 0 when the focus is not on a control of this dialog.
    int GetFocusedId() const;

    // Replaces an edit control's text (WM_SETTEXT, which also sends EN_CHANGE).
    void SetText(int nId, const std::string& text);

    // Posts a key press (down and up) to the control with the focus, or to the dialog if none has it:
    // VK_RETURN and VK_ESCAPE reach the dialog manager as they would from the keyboard.
    void PressKey(WORD nVirtualKey);

    // Posts BM_CLICK and returns at once: the program may run a long job inside its click handler.
    // Throws CDriverError when the control is disabled or hidden, as a person could not click it either.
    void Click(int nId);

    // Clicks a check box until it shows the wanted state.
    void SetCheck(int nId, bool bChecked);

    // Posts WM_SYSCOMMAND (SC_CLOSE, or an id the program put in its system menu).
    void PostSysCommand(WPARAM nCommand);

    std::vector<MenuItemFacts> GetSystemMenuItems() const;

    // Waits until the control shows exactly this text; throws CDriverError, describing the screen, if it does not.
    void WaitForText(int nId, const std::string& text, DWORD nTimeoutMs = kDefaultTimeoutMs) const;
    void WaitForEnabled(int nId, bool bEnabled, DWORD nTimeoutMs = kDefaultTimeoutMs) const;
    void WaitForClose(DWORD nTimeoutMs = kDefaultTimeoutMs) const;

    // The dialog as the screen shows it, as a PNG file.
    void SaveScreenshot(const std::string& path) const;

private:
    HWND m_hDialog;
    mutable SIZE m_baseUnits = {0, 0};  // asked of the program once: a dialog's font does not change
};
