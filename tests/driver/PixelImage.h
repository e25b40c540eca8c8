// A captured picture: 8-bit RGB rows, top row first, no padding.
#pragma once

#include <cstdint>
#include <vector>

struct PixelImage
{
    int nWidth = 0;
    int nHeight = 0;
    std::vector<uint8_t> rgb;  // nWidth * nHeight * 3 bytes
};
