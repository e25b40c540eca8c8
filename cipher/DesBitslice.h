// Bitsliced DES over a register type V: bit lane n of every register belongs to block n, and register b
// of a batch holds bit b of every block, so the permutations are renaming and the S-boxes are gate circuits.
//
// The including file supplies, for its V: And, Or, Xor, AndNot(x, y) = x & ~y, Not, LoadVector,
// StoreVector, ShiftLeft64<n>, ShiftRight64<n> (per 64-bit lane), Splat64 and kVectorBytes. Everything
// here is in an unnamed namespace on purpose: each kernel file compiles its own copy for its own
// instruction set, and no copy may be shared with code that runs on processors without it.
#pragma once

#include <cstdint>
#include <cstring>

#include "DesSBoxCircuits.h"
#include "DesTables.h"

namespace {

// Where each bit of the cipher's halves lives among the 64 registers of a batch. IP is never carried out:
// L bit j simply stays in the register of input bit IP_L[j], and R bit j in that of IP_R[j].
struct SliceMap {
    int leftSlot[32];
    int rightSlot[32];
    int expansionSource[48];  // R bit feeding expanded bit j
    int permutedTarget[32];   // f bit that S-box output bit i lands on through P
    int partnerSlot[64];      // the slot of R bit j for that of L bit j, and the other way round
};

constexpr SliceMap MakeSliceMap()
{
    SliceMap map{};
    for (int j = 0; j < 32; ++j) {
        map.leftSlot[j] = des_tables::kInitialPermutationFips[j] - 1;
        map.rightSlot[j] = des_tables::kInitialPermutationFips[32 + j] - 1;
        map.permutedTarget[des_tables::kPermutationFips[j] - 1] = j;
        map.partnerSlot[map.leftSlot[j]] = map.rightSlot[j];
        map.partnerSlot[map.rightSlot[j]] = map.leftSlot[j];
    }
    for (int j = 0; j < 48; ++j)
        map.expansionSource[j] = des_tables::kExpansionFips[j] - 1;
    return map;
}

constexpr SliceMap kSliceMap = MakeSliceMap();

template <typename V, int kBox>
__attribute__((always_inline)) inline void SubstituteInto(V* slots, const int (&from)[32], const int (&to)[32],
                                                          const V* roundKey)
{
    constexpr int in = 6 * kBox;
    const V a0 = Xor(slots[from[kSliceMap.expansionSource[in + 0]]], roundKey[in + 0]);
    const V a1 = Xor(slots[from[kSliceMap.expansionSource[in + 1]]], roundKey[in + 1]);
    const V a2 = Xor(slots[from[kSliceMap.expansionSource[in + 2]]], roundKey[in + 2]);
    const V a3 = Xor(slots[from[kSliceMap.expansionSource[in + 3]]], roundKey[in + 3]);
    const V a4 = Xor(slots[from[kSliceMap.expansionSource[in + 4]]], roundKey[in + 4]);
    const V a5 = Xor(slots[from[kSliceMap.expansionSource[in + 5]]], roundKey[in + 5]);
    V o0, o1, o2, o3;
    if constexpr (kBox == 0)
        SBox1(a0, a1, a2, a3, a4, a5, o0, o1, o2, o3);
    else if constexpr (kBox == 1)
        SBox2(a0, a1, a2, a3, a4, a5, o0, o1, o2, o3);
    else if constexpr (kBox == 2)
        SBox3(a0, a1, a2, a3, a4, a5, o0, o1, o2, o3);
    else if constexpr (kBox == 3)
        SBox4(a0, a1, a2, a3, a4, a5, o0, o1, o2, o3);
    else if constexpr (kBox == 4)
        SBox5(a0, a1, a2, a3, a4, a5, o0, o1, o2, o3);
    else if constexpr (kBox == 5)
        SBox6(a0, a1, a2, a3, a4, a5, o0, o1, o2, o3);
    else if constexpr (kBox == 6)
        SBox7(a0, a1, a2, a3, a4, a5, o0, o1, o2, o3);
    else
        SBox8(a0, a1, a2, a3, a4, a5, o0, o1, o2, o3);
    constexpr int out = 4 * kBox;
    V& f0 = slots[to[kSliceMap.permutedTarget[out + 0]]];
    f0 = Xor(f0, o0);
    V& f1 = slots[to[kSliceMap.permutedTarget[out + 1]]];
    f1 = Xor(f1, o1);
    V& f2 = slots[to[kSliceMap.permutedTarget[out + 2]]];
    f2 = Xor(f2, o2);
    V& f3 = slots[to[kSliceMap.permutedTarget[out + 3]]];
    f3 = Xor(f3, o3);
}

// One iteration: the half in `to` takes f of the half in `from`. The halves never move.
template <typename V>
__attribute__((always_inline)) inline void Iterate(V* slots, const int (&from)[32], const int (&to)[32],
                                                   const V* roundKey)
{
    SubstituteInto<V, 0>(slots, from, to, roundKey);
    SubstituteInto<V, 1>(slots, from, to, roundKey);
    SubstituteInto<V, 2>(slots, from, to, roundKey);
    SubstituteInto<V, 3>(slots, from, to, roundKey);
    SubstituteInto<V, 4>(slots, from, to, roundKey);
    SubstituteInto<V, 5>(slots, from, to, roundKey);
    SubstituteInto<V, 6>(slots, from, to, roundKey);
    SubstituteInto<V, 7>(slots, from, to, roundKey);
}

// Swaps bit c + kShift of `low` with bit c of `high` wherever bit kShift of c is clear, in every 64-bit
// lane. Over rows i and i + kShift for each kShift of 32, 16, ..., 1 this transposes every 64 x 64 bit
// square, one per lane; the six exchanges commute, and the whole transpose is its own inverse.
template <typename V, int kShift>
__attribute__((always_inline)) inline void Exchange(V& low, V& high, V mask)
{
    const V differ = And(Xor(ShiftRight64<kShift>(low), high), mask);
    high = Xor(high, differ);
    low = Xor(low, ShiftLeft64<kShift>(differ));
}

// The bits c of a lane where bit kShift of c is clear: those an exchange moves.
constexpr uint64_t ExchangeMask(int shift)
{
    uint64_t mask = 0;
    for (int c = 0; c < 64; ++c)
        if (!(c & shift))
            mask |= 1ull << c;
    return mask;
}

// The exchanges of 2 * kShift and kShift over every four rows r, r + kShift, r + 2 * kShift, r + 3 * kShift,
// which fit in registers together: two stages cost one load and one store per row instead of two.
template <typename V, int kShift, typename Load, typename Store>
__attribute__((always_inline)) inline void ExchangeTwoStages(Load load, Store store)
{
    const V wide = Splat64(ExchangeMask(2 * kShift));
    const V narrow = Splat64(ExchangeMask(kShift));
    for (int r = 0; r < 64; ++r) {
        if (r & (3 * kShift))
            continue;
        V a = load(r), b = load(r + kShift), c = load(r + 2 * kShift), d = load(r + 3 * kShift);
        Exchange<V, 2 * kShift>(a, c, wide);
        Exchange<V, 2 * kShift>(b, d, wide);
        Exchange<V, kShift>(a, b, narrow);
        Exchange<V, kShift>(c, d, narrow);
        store(r, a);
        store(r + kShift, b);
        store(r + 2 * kShift, c);
        store(r + 3 * kShift, d);
    }
}

template <typename V>
void ExpandSubkeys(const uint64_t* subkeys, V (&roundKeys)[16][48])
{
    for (int round = 0; round < 16; ++round)
        for (int j = 0; j < 48; ++j)
            roundKeys[round][j] = Splat64((subkeys[round] >> j) & 1 ? ~0ull : 0ull);
}

// A block is the 64-bit little-endian word low | high << 32, which is exactly one 64-bit lane, so the
// batch is 64 registers of bytes, and transposing it gives the 64 slices.
template <typename V>
void CryptBitsliced(unsigned char* bytes, const V (&roundKeys)[16][48], bool decrypt)
{
    V slots[64];
    const auto loadBytes = [bytes](int row) { return LoadVector(bytes + row * kVectorBytes); };
    const auto storeBytes = [bytes](int row, V value) { StoreVector(bytes + row * kVectorBytes, value); };
    const auto loadSlot = [&slots](int row) { return slots[row]; };
    const auto storeSlot = [&slots](int row, V value) { slots[row] = value; };

    ExchangeTwoStages<V, 16>(loadBytes, storeSlot);
    ExchangeTwoStages<V, 4>(loadSlot, storeSlot);
    ExchangeTwoStages<V, 1>(loadSlot, storeSlot);
    for (int i = 0; i < 16; i += 2) {
        Iterate(slots, kSliceMap.rightSlot, kSliceMap.leftSlot, roundKeys[decrypt ? 15 - i : i]);
        Iterate(slots, kSliceMap.leftSlot, kSliceMap.rightSlot, roundKeys[decrypt ? 14 - i : i + 1]);
    }
    // IP^-1 of R16 L16 puts R16 bit j where the input bit IP_L[j] was and L16 bit j where IP_R[j] was: the
    // first stages back read each slot from its partner, and use the caller's bytes as scratch.
    const auto loadSwapped = [&slots](int row) { return slots[kSliceMap.partnerSlot[row]]; };
    ExchangeTwoStages<V, 1>(loadSwapped, storeBytes);
    ExchangeTwoStages<V, 4>(loadBytes, storeBytes);
    ExchangeTwoStages<V, 16>(loadBytes, storeBytes);
}

// Deciphers C(i) ^ C(i-1) for the batch's blocks C(i), `previous` holding the 8 bytes of the C(i) before
// the first. The inputs are formed a register at a time, from the back, so that the blocks one block
// back are still C(i) when they are read; for row 0 those begin with `previous`.
template <typename V>
void DecryptChainedBitsliced(unsigned char* bytes, const V (&roundKeys)[16][48], const unsigned char* previous)
{
    unsigned char firstBack[kVectorBytes];
    std::memcpy(firstBack, previous, 8);
    std::memcpy(firstBack + 8, bytes, kVectorBytes - 8);
    const V first = LoadVector(firstBack);
    for (int row = 63; row >= 1; --row)
        StoreVector(bytes + row * kVectorBytes,
                    Xor(LoadVector(bytes + row * kVectorBytes), LoadVector(bytes + row * kVectorBytes - 8)));
    StoreVector(bytes, Xor(LoadVector(bytes), first));
    CryptBitsliced(bytes, roundKeys, true);
}

}  // namespace
