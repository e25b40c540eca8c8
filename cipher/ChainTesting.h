// Test access to the chain register and to the reference path; the program itself never calls these.
#pragma once

#include <cstdint>

uint64_t ChainRegister();
void SetChainRegister(uint64_t value);

// The bit-by-bit DES and chaining, under the key of the last DesSetKey and the same chain register.
uint64_t ReferenceEncryptBlock(uint32_t low, uint32_t high);
uint64_t ReferenceDecryptBlock(uint32_t low, uint32_t high);
void ReferenceEncipherBuffer(void* buffer, int length);
void ReferenceDecipherBuffer(void* buffer, int length);
