// IP and its inverse as five word-to-word delta swaps instead of 64 single-bit moves.
#pragma once

#include "CipherBlock.h"

// Exchanges bit j of `lower` with bit j + shift of `upper`, for every bit j set in mask.
inline void DeltaSwap(uint32_t& lower, uint32_t& upper, int shift, uint32_t mask)
{
    const uint32_t differ = ((upper >> shift) ^ lower) & mask;
    lower ^= differ;
    upper ^= differ << shift;
}

// Number a bit of the block by p = 32 * word + bit (word 0 low, 1 high), p5..p0 its binary digits. IP
// moves it to q with q5 = ~p0, q4 = p2, q3 = p1, q2 = ~p5, q1 = ~p4, q0 = ~p3: a cycle of the digit
// places 0 -> 5 -> 2 -> 4 -> 1 -> 3 -> 0 with four digits inverted. Five exchanges of a digit with
// digit 5 make the cycle; an exchange that also inverts both digits pairs low bits whose digit is 0
// with high bits whose digit is 1, the plain one the other way round. Each is one swap across the words.
// The result holds L0 in the low word and R0 in the high word.
inline CipherBlock SwapInitialPermutation(CipherBlock block)
{
    uint32_t low = block.low, high = block.high;
    DeltaSwap(low, high, 4, 0x0F0F0F0F);
    DeltaSwap(low, high, 16, 0x0000FFFF);
    DeltaSwap(high, low, 2, 0x33333333);
    DeltaSwap(high, low, 8, 0x00FF00FF);
    DeltaSwap(low, high, 1, 0x55555555);
    return {low, high};
}

// Every swap is its own inverse, so IP^-1 runs them backwards; it takes R16 in the low word, L16 high.
inline CipherBlock SwapFinalPermutation(CipherBlock block)
{
    uint32_t low = block.low, high = block.high;
    DeltaSwap(low, high, 1, 0x55555555);
    DeltaSwap(high, low, 8, 0x00FF00FF);
    DeltaSwap(high, low, 2, 0x33333333);
    DeltaSwap(low, high, 16, 0x0000FFFF);
    DeltaSwap(low, high, 4, 0x0F0F0F0F);
    return {low, high};
}
