// One 8-byte cipher block as the cipher's two 32-bit words, and the one place a block meets memory.
#pragma once

#include <cstdint>

struct CipherBlock {
    uint32_t low;
    uint32_t high;
};

// Where FIPS bit n of a block lies in a buffer: bit (n-1) mod 8 of byte (n-1) div 8.
//
//   byte      0                        1                         7
//   bit       7  6  5  4  3  2  1  0   7  6  ...  0   ...   7  ...  0
//   FIPS bit  8  7  6  5  4  3  2  1  16 15  ...  9   ...  64  ... 57
//
// Bytes 0-3 are the low word and bytes 4-7 the high word, both little-endian, so FIPS bit n is bit n-1
// of the 64-bit value low | high << 32: the cipher's words need no further reordering.
inline CipherBlock LoadBlock(const unsigned char* bytes)
{
    auto word = [bytes](int at) {
        return static_cast<uint32_t>(bytes[at]) | static_cast<uint32_t>(bytes[at + 1]) << 8 |
               static_cast<uint32_t>(bytes[at + 2]) << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
    };
    return {word(0), word(4)};
}

inline void StoreBlock(unsigned char* bytes, CipherBlock block)
{
    for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<unsigned char>(block.low >> (8 * i));
        bytes[4 + i] = static_cast<unsigned char>(block.high >> (8 * i));
    }
}

inline uint64_t JoinWords(CipherBlock block)
{
    return block.low | static_cast<uint64_t>(block.high) << 32;
}

inline CipherBlock SplitValue(uint64_t value)
{
    return {static_cast<uint32_t>(value), static_cast<uint32_t>(value >> 32)};
}

inline CipherBlock operator^(CipherBlock a, CipherBlock b)
{
    return {a.low ^ b.low, a.high ^ b.high};
}
