// Runs DES over a batch of independent blocks in place, with the widest kernel available.
#pragma once

#include "DesFast.h"

// The most blocks the chaining routines hand over at once. A bitsliced kernel would need it raised to a
// multiple of its width (128 blocks for SSE2, 256 for AVX2).
constexpr int kBlockBatch = 64;

void CryptBlocks(CipherBlock* blocks, int count, CipherDirection direction);
