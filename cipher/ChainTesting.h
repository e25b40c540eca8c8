// Test access to the chain register, to the reference path and to the choice of DES kernel; the program
// itself never calls these.
#pragma once

#include <cstdint>

uint64_t ChainRegister();
void SetChainRegister(uint64_t value);

// The bit-by-bit DES and chaining, under the key of the last DesSetKey and the same chain register.
uint64_t ReferenceEncryptBlock(uint32_t low, uint32_t high);
uint64_t ReferenceDecryptBlock(uint32_t low, uint32_t high);
void ReferenceEncipherBuffer(void* buffer, int length);
void ReferenceDecipherBuffer(void* buffer, int length);

// The kernels EncipherBuffer and DecipherBuffer can run their blocks through. The best one the processor
// has is chosen at start; a test or benchmark may force another. SelectDesPath refuses a path whose
// instruction set is missing.
enum class DesPath { Reference, Table, Sse2, Avx2, Avx512 };
constexpr DesPath kAllDesPaths[] = {DesPath::Reference, DesPath::Table, DesPath::Sse2, DesPath::Avx2, DesPath::Avx512};

bool DesPathAvailable(DesPath path);
bool SelectDesPath(DesPath path);
void SelectBestDesPath();
DesPath SelectedDesPath();
const char* DesPathName(DesPath path);

// How many threads a long chaining call on a bitsliced path may use: 2 (the default, when the processor
// has a second core) or 1.
void SetKernelThreads(int threads);
