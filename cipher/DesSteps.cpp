// The steps of FIPS 46 one bit at a time, each read straight from its table.
#include "DesSteps.h"

#include "DesTables.h"

using namespace des_tables;

namespace {

constexpr uint32_t kHalfMask = (1u << 28) - 1;

uint32_t SelectKeyBits(uint64_t key, const uint8_t (&fipsPositions)[28])
{
    uint32_t half = 0;
    for (int j = 0; j < 28; ++j)
        half |= static_cast<uint32_t>((key >> (fipsPositions[j] - 1)) & 1) << j;
    return half;
}

}  // namespace

KeyHalves PermutedChoice1(uint64_t key)
{
    return {SelectKeyBits(key, kPermutedChoice1C), SelectKeyBits(key, kPermutedChoice1D)};
}

// FIPS shifts "left" towards position 1, which is bit 0 here, so the integer rotates right.
uint32_t RotateKeyHalf(uint32_t half, int shift)
{
    return ((half >> shift) | (half << (28 - shift))) & kHalfMask;
}

uint64_t PermutedChoice2(KeyHalves halves)
{
    const uint64_t cd = halves.c | (static_cast<uint64_t>(halves.d) << 28);
    uint64_t subkey = 0;
    for (int j = 0; j < 48; ++j)
        subkey |= ((cd >> (kPermutedChoice2[j] - 1)) & 1) << j;
    return subkey;
}

BlockHalves InitialPermutation(uint64_t block)
{
    BlockHalves halves{0, 0};
    for (int j = 0; j < 32; ++j) {
        halves.left |= static_cast<uint32_t>((block >> kInitialPermutationLeft[j]) & 1) << j;
        halves.right |= static_cast<uint32_t>((block >> kInitialPermutationRight[j]) & 1) << j;
    }
    return halves;
}

uint64_t FinalPermutation(uint64_t preOutput)
{
    uint64_t output = 0;
    for (int j = 0; j < 64; ++j)
        output |= ((preOutput >> kFinalPermutation[j]) & 1) << j;
    return output;
}

uint64_t Expand(uint32_t right)
{
    uint64_t expanded = 0;
    for (int j = 0; j < 48; ++j)
        if (right & kExpansionMasks[j])
            expanded |= uint64_t{1} << j;
    return expanded;
}

uint32_t PermuteP(uint32_t substituted)
{
    uint32_t permuted = 0;
    for (int j = 0; j < 32; ++j)
        if (substituted & kPermutationMasks[j])
            permuted |= 1u << j;
    return permuted;
}

// Group bit 0 is the first bit FIPS feeds the box, so it is the high bit of the row.
uint32_t ReindexedSBoxEntry(int box, unsigned group)
{
    const unsigned bit0 = group & 1, bit1 = (group >> 1) & 1, bit2 = (group >> 2) & 1;
    const unsigned bit3 = (group >> 3) & 1, bit4 = (group >> 4) & 1, bit5 = (group >> 5) & 1;
    const unsigned row = 2 * bit0 + bit5;
    const unsigned column = 8 * bit1 + 4 * bit2 + 2 * bit3 + bit4;
    return kNibbleReverse[kSBoxes[box][row * 16 + column]];
}
