// Message boxes of a program under test: waiting for one, reading its text, caption and icon, pressing its buttons.
#include "MessageBoxDriver.h"

#include <climits>
#include <cstdlib>

#include "DriverError.h"
#include "PixelImage.h"
#include "ScreenCapture.h"
#include "TextEncoding.h"
#include "WindowFacts.h"
#include "WindowSearch.h"

namespace
{
constexpr int kMessageBoxTextId = 0xFFFF;
constexpr int kWineMessageBoxIconId = 0x440;
constexpr int kWindowsMessageBoxIconId = 0x14;

// Wine always makes the icon static and leaves it empty when there is no icon; Windows leaves it out.
HWND FindIconStatic(HWND hMessageBox)
{
    HWND hIcon = GetDlgItem(hMessageBox, kWineMessageBoxIconId);
    return hIcon ? hIcon : GetDlgItem(hMessageBox, kWindowsMessageBoxIconId);
}

// The system icon drawn over the shown icon's corner colour, as the message box draws it on its background.
PixelImage DrawSystemIcon(LPCSTR pszIcon, int nWidth, int nHeight, const uint8_t* pBackground)
{
    PixelImage image;
    image.nWidth = nWidth;
    image.nHeight = nHeight;
    image.rgb.resize(static_cast<size_t>(nWidth) * nHeight * 3);

    HDC hScreen = GetDC(nullptr);
    HDC hMemory = CreateCompatibleDC(hScreen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = nWidth;
    info.bmiHeader.biHeight = -nHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* pBits = nullptr;
    HBITMAP hBitmap = CreateDIBSection(hMemory, &info, DIB_RGB_COLORS, &pBits, nullptr, 0);
    HGDIOBJ hOld = SelectObject(hMemory, hBitmap);
    HBRUSH hBrush = CreateSolidBrush(RGB(pBackground[0], pBackground[1], pBackground[2]));
    RECT all = {0, 0, nWidth, nHeight};
    FillRect(hMemory, &all, hBrush);
    DeleteObject(hBrush);
    DrawIconEx(hMemory, 0, 0, LoadIconA(nullptr, pszIcon), nWidth, nHeight, 0, nullptr, DI_NORMAL);
    GdiFlush();
    const auto* pPixel = static_cast<const uint8_t*>(pBits);
    for (size_t i = 0; i < image.rgb.size() / 3; ++i, pPixel += 4)
    {
        image.rgb[i * 3] = pPixel[2];
        image.rgb[i * 3 + 1] = pPixel[1];
        image.rgb[i * 3 + 2] = pPixel[0];
    }
    SelectObject(hMemory, hOld);
    DeleteObject(hBitmap);
    DeleteDC(hMemory);
    ReleaseDC(nullptr, hScreen);
    return image;
}

long long MeasureDifference(const PixelImage& a, const PixelImage& b)
{
    long long nDifference = 0;
    for (size_t i = 0; i < a.rgb.size() && i < b.rgb.size(); ++i)
        nDifference += std::abs(static_cast<int>(a.rgb[i]) - static_cast<int>(b.rgb[i]));
    return nDifference;
}

HWND FindMessageBox(DWORD nProcessId, HWND hOwner)
{
    for (HWND hWnd : ListDialogs(nProcessId))
    {
        if (IsMessageBox(hWnd) && (!hOwner || GetWindow(hWnd, GW_OWNER) == hOwner))
            return hWnd;
    }
    return nullptr;
}
}

const char* GetIconName(MessageBoxIcon icon)
{
    switch (icon)
    {
    case MessageBoxIcon::None:
        return "none";
    case MessageBoxIcon::Stop:
        return "stop";
    case MessageBoxIcon::Exclamation:
        return "exclamation";
    case MessageBoxIcon::Information:
        return "information";
    case MessageBoxIcon::Question:
        return "question";
    case MessageBoxIcon::Unknown:
        break;
    }
    return "unknown";
}

CMessageBoxDriver::CMessageBoxDriver(HWND hMessageBox) : m_hMessageBox(hMessageBox)
{
}

HWND CMessageBoxDriver::GetOwner() const
{
    return GetWindow(m_hMessageBox, GW_OWNER);
}

std::string CMessageBoxDriver::GetCaption() const
{
    return ReadWindowText(m_hMessageBox, kDefaultTimeoutMs);
}

std::string CMessageBoxDriver::GetText() const
{
    HWND hText = GetDlgItem(m_hMessageBox, kMessageBoxTextId);
    if (!hText)
        ThrowWithScreen("the message box has no text control");
    return ReadWindowText(hText, kDefaultTimeoutMs);
}

MessageBoxIcon CMessageBoxDriver::GetIcon() const
{
    HWND hIcon = FindIconStatic(m_hMessageBox);
    DWORD_PTR hShownIcon = 0;
    if (!hIcon || !IsWindowVisible(hIcon) ||
        !SendMessageWithin(hIcon, STM_GETICON, 0, 0, kDefaultTimeoutMs, hShownIcon) || !hShownIcon)
        return MessageBoxIcon::None;
    // A box that has only just appeared may not be on the screen yet.
    MessageBoxIcon icon = MessageBoxIcon::Unknown;
    WaitUntil([&] { return (icon = MatchShownIcon(hIcon)) != MessageBoxIcon::Unknown; }, 3000);
    return icon;
}

MessageBoxIcon CMessageBoxDriver::MatchShownIcon(HWND hIcon)
{
    PixelImage shown = CaptureWindow(hIcon);
    if (shown.rgb.empty())
        return MessageBoxIcon::Unknown;
    struct Candidate
    {
        LPCSTR pszIcon;
        MessageBoxIcon icon;
    };
    const Candidate candidates[] = {
        {IDI_HAND, MessageBoxIcon::Stop},
        {IDI_EXCLAMATION, MessageBoxIcon::Exclamation},
        {IDI_ASTERISK, MessageBoxIcon::Information},
        {IDI_QUESTION, MessageBoxIcon::Question},
    };
    MessageBoxIcon best = MessageBoxIcon::Unknown;
    long long nBestDifference = LLONG_MAX;
    for (const Candidate& candidate : candidates)
    {
        PixelImage drawn = DrawSystemIcon(candidate.pszIcon, shown.nWidth, shown.nHeight, shown.rgb.data());
        long long nDifference = MeasureDifference(shown, drawn);
        if (nDifference < nBestDifference)
        {
            nBestDifference = nDifference;
            best = candidate.icon;
        }
    }
    // Anti-aliasing may differ by a little per pixel; a different picture differs by far more.
    const long long nTolerance = static_cast<long long>(shown.rgb.size()) * 8;
    return nBestDifference <= nTolerance ? best : MessageBoxIcon::Unknown;
}

void CMessageBoxDriver::PressButton(int nId)
{
    HWND hButton = GetDlgItem(m_hMessageBox, nId);
    if (!hButton)
        ThrowWithScreen("the message box has no button " + std::to_string(nId));
    PostMessageA(hButton, BM_CLICK, 0, 0);
}

void CMessageBoxDriver::WaitForClose(DWORD nTimeoutMs) const
{
    WaitForWindowToClose(m_hMessageBox, nTimeoutMs);
}

CMessageBoxDriver WaitForMessageBox(DWORD nProcessId, DWORD nTimeoutMs)
{
    HWND hFound = nullptr;
    if (!WaitUntil([&] { return (hFound = FindMessageBox(nProcessId, nullptr)) != nullptr; }, nTimeoutMs))
        ThrowWithScreen("no message box of process " + std::to_string(nProcessId) + " within " +
                        std::to_string(nTimeoutMs) + " ms");
    return CMessageBoxDriver(hFound);
}

CMessageBoxDriver WaitForMessageBoxOwnedBy(HWND hOwner, DWORD nTimeoutMs)
{
    HWND hFound = nullptr;
    if (!WaitUntil([&] { return (hFound = FindMessageBox(GetWindowProcess(hOwner), hOwner)) != nullptr; }, nTimeoutMs))
        ThrowWithScreen("no message box owned by \"" + ConvertAcpToUtf8(PeekWindowText(hOwner)) + "\" within " +
                        std::to_string(nTimeoutMs) + " ms");
    return CMessageBoxDriver(hFound);
}

void ExpectNoMessageBox(DWORD nProcessId, DWORD nPeriodMs)
{
    HWND hFound = nullptr;
    if (WaitUntil([&] { return (hFound = FindMessageBox(nProcessId, nullptr)) != nullptr; }, nPeriodMs))
        ThrowWithScreen("unexpected message box \"" + ConvertAcpToUtf8(PeekWindowText(hFound)) + "\": \"" +
                        ConvertAcpToUtf8(PeekWindowText(GetDlgItem(hFound, kMessageBoxTextId))) + "\"");
}
