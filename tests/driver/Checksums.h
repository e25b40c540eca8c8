// CRC-32 (for PNG chunks) and Adler-32 (for the zlib stream inside them), both continuable over pieces.
#pragma once

#include <cstddef>
#include <cstdint>

// Start with 0 and feed each piece the previous result.
uint32_t ComputeCrc32(const void* pData, size_t nSize, uint32_t nCrc = 0);

// Start with 1 and feed each piece the previous result.
uint32_t ComputeAdler32(const void* pData, size_t nSize, uint32_t nAdler = 1);
