// The steps of FIPS 46 one bit at a time; FIPS bit n of every quantity is bit n-1 of the integer holding it.
#pragma once

#include <cstdint>

struct KeyHalves {
    uint32_t c;
    uint32_t d;
};

struct BlockHalves {
    uint32_t left;
    uint32_t right;
};

KeyHalves PermutedChoice1(uint64_t key);
uint32_t RotateKeyHalf(uint32_t half, int shift);
uint64_t PermutedChoice2(KeyHalves halves);

BlockHalves InitialPermutation(uint64_t block);
uint64_t FinalPermutation(uint64_t preOutput);

uint64_t Expand(uint32_t right);
uint32_t PermuteP(uint32_t substituted);

// S-box `box` (0..7) addressed by a 6-bit group as it lies in the expanded half, output bit order reversed.
uint32_t ReindexedSBoxEntry(int box, unsigned group);
