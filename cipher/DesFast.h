// The fast DES path: combined S-and-P tables, swap-network IP and IP^-1, one- and two-block kernels.
#pragma once

#include <cstdint>

#include "CipherBlock.h"

enum class CipherDirection { Encrypt, Decrypt };

// Takes K(1)..K(16), 48 bits each, as the reference key schedule produced them.
void FastSetKey(const uint64_t* subkeys);

CipherBlock FastCryptBlock(CipherBlock block, CipherDirection direction);

// Two independent blocks interleaved, so that one block's table loads overlap the other's.
void FastCryptPair(CipherBlock& first, CipherBlock& second, CipherDirection direction);
