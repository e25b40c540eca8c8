// The dialog fonts of a Japanese system are replaced by the installed IPA Gothic fonts, Japanese glyphs included.
#include <windows.h>

#include <gtest/gtest.h>

#include "BedSupport.h"

namespace
{
struct FontFacts
{
    std::string face;
    SIZE extent;
    WORD nGlyph;
};

FontFacts GetFontFacts(const char* pszFace)
{
    HDC hdc = CreateCompatibleDC(nullptr);
    HFONT hFont = CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, pszFace);
    HGDIOBJ hOld = SelectObject(hdc, hFont);
    FontFacts facts = {};
    char szFace[LF_FACESIZE] = {};
    GetTextFaceA(hdc, LF_FACESIZE, szFace);
    facts.face = szFace;
    const std::string sample = "表示テストabc";
    GetTextExtentPoint32A(hdc, sample.c_str(), static_cast<int>(sample.size()), &facts.extent);
    GetGlyphIndicesW(hdc, L"\u3042", 1, &facts.nGlyph, GGI_MARK_NONEXISTING_GLYPHS);
    SelectObject(hdc, hOld);
    DeleteObject(hFont);
    DeleteDC(hdc);
    return facts;
}

struct FontCase
{
    const char* pszFace;
    const char* pszReplacement;
};

const FontCase kFontCases[] = {
    {"ＭＳ Ｐゴシック", "IPAPGothic"},
    {"ＭＳ ゴシック", "IPAGothic"},
    {"MS UI Gothic", "IPAPGothic"},
};
}

// A face Wine does not know falls back to some other font under that font's name; a replaced face keeps its own name.
TEST(BedFonts, DialogFacesAreDrawnWithIpaGothic)
{
    for (size_t i = 0; i < std::size(kFontCases); ++i)
    {
        const FontCase& c = kFontCases[i];
        FontFacts facts = GetFontFacts(c.pszFace);
        FontFacts replacement = GetFontFacts(c.pszReplacement);
        EXPECT_EQ(FormatHex(facts.face), FormatHex(c.pszFace)) << "case " << i << ": face not replaced, fell back";
        EXPECT_NE(facts.nGlyph, 0xFFFF) << "case " << i << ": no glyph for U+3042";
        EXPECT_EQ(facts.extent.cx, replacement.extent.cx) << "case " << i;
        EXPECT_EQ(facts.extent.cy, replacement.extent.cy) << "case " << i;
    }
}
