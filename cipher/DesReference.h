// The readable DES path: the key schedule and block operations exactly as defined, bit by bit.
#pragma once

#include <cstdint>

void ReferenceSetKey(uint32_t low, uint32_t high);
uint64_t ReferenceEncryptBlock(uint32_t low, uint32_t high);
uint64_t ReferenceDecryptBlock(uint32_t low, uint32_t high);

// K(1)..K(16) of the current key, 48 bits each in bits 0-47.
const uint64_t* ReferenceSubkeys();
