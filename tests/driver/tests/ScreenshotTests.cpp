// Screenshots: the checksums and the PNG format they are written in, and a real capture of the sample dialog.
#include <gtest/gtest.h>

#include <set>

#include "Checksums.h"
#include "PngReader.h"
#include "SampleIds.h"
#include "SampleProgram.h"
#include "UiDriver.h"

namespace
{
size_t CountColours(const PixelImage& image, const RECT& area)
{
    std::set<uint32_t> colours;
    for (LONG y = area.top; y < area.bottom && y < image.nHeight; ++y)
    {
        for (LONG x = area.left; x < area.right && x < image.nWidth; ++x)
        {
            const uint8_t* pPixel = &image.rgb[(static_cast<size_t>(y) * image.nWidth + x) * 3];
            colours.insert((pPixel[0] << 16) | (pPixel[1] << 8) | pPixel[2]);
        }
    }
    return colours.size();
}
}

TEST(Checksums, KnownVectors)
{
    struct Case
    {
        std::string data;
        uint32_t nCrc32;
        uint32_t nAdler32;
    };
    // 100000 bytes of 0xFF overflow 32-bit Adler sums that are not reduced often enough.
    const Case cases[] = {
        {"", 0x00000000, 0x00000001},
        {"123456789", 0xCBF43926, 0x091E01DE},
        {"Wikipedia", 0xADAAC02E, 0x11E60398},
        {std::string(100000, '\xFF'), 0x68C6CEC4, 0x149A302C},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
    {
        const Case& c = cases[i];
        EXPECT_EQ(ComputeCrc32(c.data.data(), c.data.size()), c.nCrc32) << "case " << i << std::hex;
        EXPECT_EQ(ComputeAdler32(c.data.data(), c.data.size()), c.nAdler32) << "case " << i << std::hex;
        size_t nHalf = c.data.size() / 2;
        EXPECT_EQ(ComputeCrc32(c.data.data() + nHalf, c.data.size() - nHalf, ComputeCrc32(c.data.data(), nHalf)),
                  c.nCrc32)
            << "case " << i << " in two pieces";
        EXPECT_EQ(ComputeAdler32(c.data.data() + nHalf, c.data.size() - nHalf, ComputeAdler32(c.data.data(), nHalf)),
                  c.nAdler32)
            << "case " << i << " in two pieces";
    }
}

// Sizes around the 65535-byte limit of a stored block: a row of 1 + 3 * width bytes.
TEST(Png, EncodedImagesDecodeToTheSamePixels)
{
    struct Case
    {
        int nWidth;
        int nHeight;
    };
    const Case cases[] = {{1, 1}, {0, 0}, {21845, 1}, {21844, 1}, {21846, 1}, {300, 200}};
    for (size_t i = 0; i < std::size(cases); ++i)
    {
        PixelImage image;
        image.nWidth = cases[i].nWidth;
        image.nHeight = cases[i].nHeight;
        for (size_t n = 0; n < static_cast<size_t>(image.nWidth) * image.nHeight * 3; ++n)
            image.rgb.push_back(static_cast<uint8_t>(n * 7 + n / 251));
        PixelImage decoded;
        std::string error = DecodeStoredPng(EncodePng(image), decoded);
        EXPECT_EQ(error, "") << "case " << i;
        EXPECT_EQ(decoded.nWidth, image.nWidth) << "case " << i;
        EXPECT_EQ(decoded.nHeight, image.nHeight) << "case " << i;
        EXPECT_TRUE(decoded.rgb == image.rgb) << "case " << i;
    }
}

TEST(Png, DialogScreenshotShowsTheDialog)
{
    CSampleProgram sample;
    std::string path = JoinPath(MakeScratchFolder("driver\\screenshot"), "sample.png");
    sample.GetDialog().SaveScreenshot(path);

    PixelImage decoded;
    ASSERT_EQ(DecodeStoredPng(ReadWholeFile(path), decoded), "");
    RECT rect = {};
    GetWindowRect(sample.GetDialog().GetHwnd(), &rect);
    EXPECT_EQ(decoded.nWidth, rect.right - rect.left);
    EXPECT_EQ(decoded.nHeight, rect.bottom - rect.top);

    // Text, frame, caption and controls make many colours; a blank or black capture has one or two.
    EXPECT_GT(CountColours(decoded, {0, 0, decoded.nWidth, decoded.nHeight}), 16u);

    // The OK button is painted last, at the bottom: a capture taken while the dialog was still painting lacks it.
    RECT button = {};
    GetWindowRect(sample.GetDialog().GetControl(IDOK), &button);
    OffsetRect(&button, -rect.left, -rect.top);
    EXPECT_GT(CountColours(decoded, button), 2u);
}
