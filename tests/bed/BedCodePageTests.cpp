// The bed runs programs as a Japanese system would: code page 932 for ANSI text.
#include <windows.h>

#include <gtest/gtest.h>

#include "BedSupport.h"

TEST(BedCodePage, AnsiAndOemCodePagesAre932)
{
    EXPECT_EQ(GetACP(), 932u);
    EXPECT_EQ(GetOEMCP(), 932u);
}

// Guards the compiler flags as much as the bed: literals must reach the program as code page 932 bytes.
TEST(BedCodePage, JapaneseLiteralsRoundTripThroughUnicode)
{
    const std::string text = "表示ソフト～①ｶﾅ";
    ASSERT_EQ(FormatHex(text), "95 5C 8E A6 83 5C 83 74 83 67 81 60 87 40 B6 C5");

    wchar_t wide[32];
    int nWide = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.c_str(), -1, wide, 32);
    ASSERT_GT(nWide, 0);
    EXPECT_EQ(std::wstring(wide), std::wstring(L"\u8868\u793A\u30BD\u30D5\u30C8\uFF5E\u2460\uFF76\uFF85"));

    char back[64];
    int nBack = WideCharToMultiByte(CP_ACP, 0, wide, -1, back, sizeof back, nullptr, nullptr);
    ASSERT_GT(nBack, 0);
    EXPECT_EQ(FormatHex(back), FormatHex(text));
}
