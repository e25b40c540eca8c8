// Text for failure messages: code page 932 (what the programs hold) as UTF-8 (what a terminal shows), or as hex.
#include "TextEncoding.h"

#include <windows.h>

#include <vector>

std::string ConvertAcpToUtf8(const std::string& text)
{
    if (text.empty())
        return text;
    int nWide = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::vector<wchar_t> wide(nWide);
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), nWide);
    int nUtf8 = WideCharToMultiByte(CP_UTF8, 0, wide.data(), nWide, nullptr, 0, nullptr, nullptr);
    std::string utf8(nUtf8, '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), nWide, &utf8[0], nUtf8, nullptr, nullptr);
    return utf8;
}

std::string FormatHex(const std::string& bytes)
{
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (unsigned char byte : bytes)
    {
        if (!text.empty())
            text += ' ';
        text += kDigits[byte >> 4];
        text += kDigits[byte & 15];
    }
    return text;
}
