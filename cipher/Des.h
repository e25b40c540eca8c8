// DES in the system's bit order: one process-wide key schedule and the two block operations.
#pragma once

#include <cstdint>

// A 64-bit value travels as two words; FIPS bit n is bit n-1 of low | high << 32. The key's bits
// 7, 15, ..., 63 are the parity positions and are ignored.
void DesSetKey(uint32_t low, uint32_t high);

// Results hold the low word in bits 0-31.
uint64_t DesEncryptBlock(uint32_t low, uint32_t high);
uint64_t DesDecryptBlock(uint32_t low, uint32_t high);
