// Entry points of the bitsliced DES kernels, each in a file of its own compiled for its instruction set.
#pragma once

#include <cstdint>

#include "DesFast.h"

// One pass takes exactly this many blocks: one per bit lane of a register.
constexpr int kSse2BatchBlocks = 128;
constexpr int kAvx2BatchBlocks = 256;
constexpr int kAvx512BatchBlocks = 512;
constexpr int kWidestBatchBlocks = kAvx512BatchBlocks;

// None of these may run unless CpuFeatures says the instruction set is there. SetKey expands K(1)..K(16)
// into whole-register masks once per key, so the passes only read them. DecryptChainedBatch deciphers
// C(i) ^ C(i-1) for the pass's blocks C(i), with `previous` the 8 bytes of the C(i) before the first; it
// reads no byte before `bytes`.
void Sse2SetKey(const uint64_t* subkeys);
void Sse2CryptBatch(unsigned char* bytes, CipherDirection direction);
void Sse2DecryptChainedBatch(unsigned char* bytes, const unsigned char* previous);
void Avx2SetKey(const uint64_t* subkeys);
void Avx2CryptBatch(unsigned char* bytes, CipherDirection direction);
void Avx2DecryptChainedBatch(unsigned char* bytes, const unsigned char* previous);
void Avx512SetKey(const uint64_t* subkeys);
void Avx512CryptBatch(unsigned char* bytes, CipherDirection direction);
void Avx512DecryptChainedBatch(unsigned char* bytes, const unsigned char* previous);
