// Runs DES over a batch of independent blocks in place, with the widest kernel available.
#pragma once

#include "DesFast.h"

// The most blocks the chaining routines hand over at once; a wider kernel may want a multiple of its width.
constexpr int kBlockBatch = 64;

void CryptBlocks(CipherBlock* blocks, int count, CipherDirection direction);
