// The fast DES path: combined S-and-P tables, swap-network IP and IP^-1, one- and two-block kernels.
#include "DesFast.h"

#include "DesSteps.h"
#include "DesSwapPermutations.h"

// Both halves are kept rotated left by one bit. Then S-box group 2m+1 (FIPS numbering 1..8) lies in
// byte m of the rotated half, and group 2m+2 in byte m of it rotated right by four, so E costs one
// rotation and every group is taken out as a plain byte. Bits 6 and 7 of each byte belong to the
// neighbouring groups; the 256-entry tables ignore them rather than spend a mask per group.
namespace {

uint32_t g_combined[8][256];
uint32_t g_oddGroupKeys[16];
uint32_t g_evenGroupKeys[16];
bool g_combinedBuilt = false;

inline uint32_t RotateLeft(uint32_t word, int count)
{
    return (word << count) | (word >> (32 - count));
}

inline uint32_t RotateRight(uint32_t word, int count)
{
    return (word >> count) | (word << (32 - count));
}

// Entry x of table k is P applied to S-box k's output for the group x & 63, in the rotated form.
void BuildCombinedTables()
{
    for (int box = 0; box < 8; ++box)
        for (unsigned index = 0; index < 256; ++index) {
            const uint32_t substituted = ReindexedSBoxEntry(box, index & 0x3F) << (4 * box);
            g_combined[box][index] = RotateLeft(PermuteP(substituted), 1);
        }
    g_combinedBuilt = true;
}

inline uint32_t Feistel(uint32_t right, int round)
{
    const uint32_t odd = right ^ g_oddGroupKeys[round];
    const uint32_t even = RotateRight(right, 4) ^ g_evenGroupKeys[round];
    return g_combined[0][odd & 0xFF] ^ g_combined[2][(odd >> 8) & 0xFF] ^
           g_combined[4][(odd >> 16) & 0xFF] ^ g_combined[6][odd >> 24] ^
           g_combined[1][even & 0xFF] ^ g_combined[3][(even >> 8) & 0xFF] ^
           g_combined[5][(even >> 16) & 0xFF] ^ g_combined[7][even >> 24];
}

constexpr int RoundKey(bool decrypt, int iteration)
{
    return decrypt ? 15 - iteration : iteration;
}

inline void Enter(CipherBlock block, uint32_t& left, uint32_t& right)
{
    const CipherBlock permuted = SwapInitialPermutation(block);
    left = RotateLeft(permuted.low, 1);
    right = RotateLeft(permuted.high, 1);
}

// The iterations never swap the halves, so after sixteen `left` holds L16 and `right` R16, and IP^-1
// takes R16 as its low word.
inline CipherBlock Leave(uint32_t left, uint32_t right)
{
    return SwapFinalPermutation({RotateRight(right, 1), RotateRight(left, 1)});
}

template <bool kDecrypt>
CipherBlock CryptOne(CipherBlock block)
{
    uint32_t left, right;
    Enter(block, left, right);
#pragma GCC unroll 8
    for (int i = 0; i < 16; i += 2) {
        left ^= Feistel(right, RoundKey(kDecrypt, i));
        right ^= Feistel(left, RoundKey(kDecrypt, i + 1));
    }
    return Leave(left, right);
}

template <bool kDecrypt>
void CryptPair(CipherBlock& first, CipherBlock& second)
{
    uint32_t left1, right1, left2, right2;
    Enter(first, left1, right1);
    Enter(second, left2, right2);
#pragma GCC unroll 8
    for (int i = 0; i < 16; i += 2) {
        left1 ^= Feistel(right1, RoundKey(kDecrypt, i));
        left2 ^= Feistel(right2, RoundKey(kDecrypt, i));
        right1 ^= Feistel(left1, RoundKey(kDecrypt, i + 1));
        right2 ^= Feistel(left2, RoundKey(kDecrypt, i + 1));
    }
    first = Leave(left1, right1);
    second = Leave(left2, right2);
}

}  // namespace

void FastSetKey(const uint64_t* subkeys)
{
    if (!g_combinedBuilt)
        BuildCombinedTables();
    for (int round = 0; round < 16; ++round) {
        uint32_t odd = 0, even = 0;
        for (int m = 0; m < 4; ++m) {
            odd |= static_cast<uint32_t>((subkeys[round] >> (12 * m)) & 0x3F) << (8 * m);
            even |= static_cast<uint32_t>((subkeys[round] >> (12 * m + 6)) & 0x3F) << (8 * m);
        }
        g_oddGroupKeys[round] = odd;
        g_evenGroupKeys[round] = even;
    }
}

CipherBlock FastCryptBlock(CipherBlock block, CipherDirection direction)
{
    return direction == CipherDirection::Encrypt ? CryptOne<false>(block) : CryptOne<true>(block);
}

void FastCryptPair(CipherBlock& first, CipherBlock& second, CipherDirection direction)
{
    if (direction == CipherDirection::Encrypt)
        CryptPair<false>(first, second);
    else
        CryptPair<true>(first, second);
}
