// Copies what is on the screen: the whole desktop or the area of one window, overlapping windows included.
#include "ScreenCapture.h"

#include <utility>

#include "WindowFacts.h"

// Copies from the screen rather than the window's own DC: under Wine's virtual desktop the screen holds the
// caption and frame, and a window's own DC reads back black wherever another window covers it.
PixelImage CaptureScreenArea(const RECT& area)
{
    PixelImage image;
    image.nWidth = area.right > area.left ? area.right - area.left : 0;
    image.nHeight = area.bottom > area.top ? area.bottom - area.top : 0;
    image.rgb.resize(static_cast<size_t>(image.nWidth) * image.nHeight * 3);
    if (image.rgb.empty())
        return image;

    HDC hScreen = GetDC(nullptr);
    HDC hMemory = CreateCompatibleDC(hScreen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.nWidth;
    info.bmiHeader.biHeight = -image.nHeight;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    HBITMAP hBitmap = CreateDIBSection(hMemory, &info, DIB_RGB_COLORS, &pBits, nullptr, 0);
    HGDIOBJ hOld = SelectObject(hMemory, hBitmap);
    BitBlt(hMemory, 0, 0, image.nWidth, image.nHeight, hScreen, area.left, area.top, SRCCOPY);
    GdiFlush();

    const auto* pPixel = static_cast<const uint8_t*>(pBits);
    uint8_t* pOut = image.rgb.data();
    for (size_t i = 0, n = static_cast<size_t>(image.nWidth) * image.nHeight; i < n; ++i, pPixel += 4)
    {
        *pOut++ = pPixel[2];
        *pOut++ = pPixel[1];
        *pOut++ = pPixel[0];
    }

    SelectObject(hMemory, hOld);
    DeleteObject(hBitmap);
    DeleteDC(hMemory);
    ReleaseDC(nullptr, hScreen);
    return image;
}

PixelImage CaptureScreen()
{
    RECT area = {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN), 0, 0};
    area.right = area.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
    area.bottom = area.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
    return CaptureScreenArea(area);
}

PixelImage CaptureWindow(HWND hWnd)
{
    RECT area = {};
    GetWindowRect(hWnd, &area);
    return CaptureScreenArea(area);
}

PixelImage CaptureSettledWindow(HWND hWnd, DWORD nTimeoutMs)
{
    // Messages already sent to the window are handled before this returns, so its painting has at least begun.
    DWORD_PTR nIgnored = 0;
    SendMessageWithin(hWnd, WM_NULL, 0, 0, nTimeoutMs, nIgnored);
    const ULONGLONG nDeadline = GetTickCount64() + nTimeoutMs;
    PixelImage previous = CaptureWindow(hWnd);
    for (;;)
    {
        Sleep(100);
        PixelImage current = CaptureWindow(hWnd);
        bool bSettled = current.nWidth == previous.nWidth && current.nHeight == previous.nHeight &&
                        current.rgb == previous.rgb;
        if (bSettled || GetTickCount64() >= nDeadline)
            return current;
        previous = std::move(current);
    }
}
