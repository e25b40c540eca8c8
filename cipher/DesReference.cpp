// The readable DES path: the key schedule and block operations exactly as defined, bit by bit.
#include "DesReference.h"

#include "DesSteps.h"
#include "DesTables.h"

namespace {

uint64_t g_subkeys[16];
uint32_t g_sLookup[8][64];

uint32_t Substitute(uint64_t mixed)
{
    uint32_t substituted = 0;
    for (int box = 0; box < 8; ++box) {
        const unsigned group = static_cast<unsigned>(mixed >> (6 * box)) & 0x3F;
        substituted |= g_sLookup[box][group] << (4 * box);
    }
    return substituted;
}

uint32_t Feistel(uint32_t right, uint64_t subkey)
{
    return PermuteP(Substitute(Expand(right) ^ subkey));
}

uint64_t RunIterations(uint32_t low, uint32_t high, bool decrypt)
{
    BlockHalves halves = InitialPermutation(low | (static_cast<uint64_t>(high) << 32));
    for (int i = 0; i < 16; ++i) {
        const uint64_t subkey = g_subkeys[decrypt ? 15 - i : i];
        const uint32_t newRight = halves.left ^ Feistel(halves.right, subkey);
        halves.left = halves.right;
        halves.right = newRight;
    }
    const uint64_t preOutput = halves.right | (static_cast<uint64_t>(halves.left) << 32);
    return FinalPermutation(preOutput);
}

}  // namespace

void ReferenceSetKey(uint32_t low, uint32_t high)
{
    KeyHalves halves = PermutedChoice1(low | (static_cast<uint64_t>(high) << 32));
    for (int i = 0; i < 16; ++i) {
        halves.c = RotateKeyHalf(halves.c, des_tables::kKeyShifts[i]);
        halves.d = RotateKeyHalf(halves.d, des_tables::kKeyShifts[i]);
        g_subkeys[i] = PermutedChoice2(halves);
    }
    for (int box = 0; box < 8; ++box)
        for (unsigned group = 0; group < 64; ++group)
            g_sLookup[box][group] = ReindexedSBoxEntry(box, group);
}

uint64_t ReferenceEncryptBlock(uint32_t low, uint32_t high)
{
    return RunIterations(low, high, false);
}

uint64_t ReferenceDecryptBlock(uint32_t low, uint32_t high)
{
    return RunIterations(low, high, true);
}

const uint64_t* ReferenceSubkeys()
{
    return g_subkeys;
}
