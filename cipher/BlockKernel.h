// Runs DES over a batch of independent blocks in place, with the kernel path selected (the widest by default).
#pragma once

#include <cstdint>

#include "DesFast.h"

// The most blocks the chaining routines take at once: a 10000-byte buffer in one slice, so that a second
// thread can take half of it, and a longer one in slices that stay in cache.
constexpr int kBlockBatch = 2048;

// Takes K(1)..K(16) of a new key for the bitsliced kernels the processor can run.
void KernelSetKey(const uint64_t* subkeys);

// `count` blocks of 8 bytes each, laid out as LoadBlock reads them.
void CryptBlocks(unsigned char* bytes, int count, CipherDirection direction);

// Deciphers C(i) ^ C(i-1) in place for `count` blocks C(i), `previous` pointing to the 8 bytes of the C(i)
// before the first; reads no byte before `bytes` but `previous`'s.
void DecipherChainedBlocks(unsigned char* bytes, int count, const unsigned char* previous);

// The blocks one pass of the selected bitsliced kernel takes; 0 when the selected path is not bitsliced.
int SelectedPassWidth();
