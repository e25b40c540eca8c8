// CRC-32 (for PNG chunks) and Adler-32 (for the zlib stream inside them), both continuable over pieces.
#include "Checksums.h"

#include <array>

namespace
{
constexpr uint32_t kCrc32Polynomial = 0xEDB88320;  // reflected form of 0x04C11DB7
constexpr uint32_t kAdlerModulus = 65521;
// The most bytes that can be summed before the running sums could pass 2^32 (zlib's NMAX).
constexpr size_t kAdlerRun = 5552;

std::array<uint32_t, 256> MakeCrc32Table()
{
    std::array<uint32_t, 256> table = {};
    for (uint32_t nByte = 0; nByte < 256; ++nByte)
    {
        uint32_t nValue = nByte;
        for (int nBit = 0; nBit < 8; ++nBit)
            nValue = (nValue & 1) ? (nValue >> 1) ^ kCrc32Polynomial : nValue >> 1;
        table[nByte] = nValue;
    }
    return table;
}
}

uint32_t ComputeCrc32(const void* pData, size_t nSize, uint32_t nCrc)
{
    static const std::array<uint32_t, 256> s_table = MakeCrc32Table();
    const auto* pByte = static_cast<const uint8_t*>(pData);
    nCrc = ~nCrc;
    for (size_t i = 0; i < nSize; ++i)
        nCrc = s_table[(nCrc ^ pByte[i]) & 0xFF] ^ (nCrc >> 8);
    return ~nCrc;
}

uint32_t ComputeAdler32(const void* pData, size_t nSize, uint32_t nAdler)
{
    const auto* pByte = static_cast<const uint8_t*>(pData);
    uint32_t nLow = nAdler & 0xFFFF;
    uint32_t nHigh = nAdler >> 16;
    while (nSize > 0)
    {
        size_t nRun = nSize < kAdlerRun ? nSize : kAdlerRun;
        nSize -= nRun;
        while (nRun-- > 0)
        {
            nLow += *pByte++;
            nHigh += nLow;
        }
        nLow %= kAdlerModulus;
        nHigh %= kAdlerModulus;
    }
    return (nHigh << 16) | nLow;
}
